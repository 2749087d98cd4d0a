// The two report files: the detail list (one line per bar) and the summary (one line per label
// and exact length with its number of bars). Plain CP932 text, CR LF line ends, no header, no
// quoting.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "Tally.h"

namespace kolvo {

// A report file open for writing. Every line written and the close are checked; a failure
// raises EInOutError with the code the platform reported. The destructor closes a file still
// open without a check, so an analysis that ends in an error leaves closed files behind with
// what was written before the error.
class TReportFile {
public:
    TReportFile() = default;
    TReportFile(const TReportFile&) = delete;
    TReportFile& operator=(const TReportFile&) = delete;
    ~TReportFile();

    // Creates the file, replacing any file of that name. Returns 0, or the I/O error code
    // when the file cannot be created.
    int Create(const std::string& path);
    bool IsOpen() const { return file_ != nullptr; }

    // Writes `line` and CR LF.
    void WriteLine(std::string_view line);
    // Closes the file; nothing happens when it is not open.
    void Close();

private:
    std::FILE* file_ = nullptr;
};

// The detail line of one record, without its line end.
std::string DetailLine(const TTallyRecord& record);

// The summary line of a group of `count` bars, without its line end.
std::string SummaryLine(std::string_view label, std::int32_t count, double length);

// Writes one detail line per record of `Tally`, in tally order.
void WriteDetailReport(TReportFile& file, const TTally& Tally);

// Writes one summary line per group of neighbouring records with byte-identical labels and
// exactly equal lengths, in tally order.
void WriteSummaryReport(TReportFile& file, const TTally& Tally);

} // namespace kolvo
