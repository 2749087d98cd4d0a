#include "ReportFiles.h"

#include <cerrno>

#include "Errors.h"
#include "NumberFormat.h"

#ifdef _WIN32
#include <share.h>
#endif

namespace kolvo {

namespace {

constexpr std::size_t LabelWidth = 10;
constexpr std::size_t NumberWidth = 8;
// The runtime's code for a write to a file that is not open.
constexpr int NotOpenCode = 103;

// The code for a failed write or close. A stream that stored fewer bytes than it was given
// without saying why has most likely run out of room.
int FailedWriteCode() {
    return errno != 0 ? InOutCodeFromErrno(errno) : 101;
}

} // namespace

TReportFile::~TReportFile() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

int TReportFile::Create(const std::string& path) {
    Close();
    errno = 0;
#ifdef _WIN32
    // Denying other writers makes a second report of the same name fail to open instead of
    // both streams writing over each other.
    file_ = _fsopen(path.c_str(), "wb", _SH_DENYWR);
#else
    file_ = std::fopen(path.c_str(), "wb");
#endif
    if (file_ == nullptr) {
        return errno != 0 ? InOutCodeFromErrno(errno) : 3;
    }
    std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
    return 0;
}

void TReportFile::WriteLine(std::string_view line) {
    if (file_ == nullptr) {
        throw EInOutError(NotOpenCode);
    }
    errno = 0;
    if (std::fwrite(line.data(), 1, line.size(), file_) != line.size() ||
        std::fwrite("\r\n", 1, 2, file_) != 2 || std::ferror(file_)) {
        throw EInOutError(FailedWriteCode());
    }
}

void TReportFile::Close() {
    if (file_ == nullptr) {
        return;
    }
    std::FILE* file = file_;
    file_ = nullptr;
    errno = 0;
    const bool failed = std::ferror(file) != 0;
    if (std::fclose(file) != 0 || failed) {
        throw EInOutError(FailedWriteCode());
    }
}

std::string DetailLine(const TTallyRecord& record) {
    std::string line = PadLeft(record.Label.view(), LabelWidth);
    for (const double value : {record.X1, record.Y1, record.X2, record.Y2, record.Length}) {
        line += ',';
        line += PadLeft(FormatWhole(value), NumberWidth);
    }
    line += ',';
    line += record.Layer.view();
    line += ',';
    line += record.Color.view();
    line += ',';
    line += record.LineType.view();
    return line;
}

std::string SummaryLine(std::string_view label, std::int32_t count, double length) {
    std::string line(label);
    line += ',';
    line += std::to_string(count);
    line += ',';
    line += FormatWhole(length);
    return line;
}

void WriteDetailReport(TReportFile& file, const TTally& Tally) {
    for (const TTallyRecord& record : Tally) {
        file.WriteLine(DetailLine(record));
    }
}

void WriteSummaryReport(TReportFile& file, const TTally& Tally) {
    const std::int32_t count = Tally.Count();
    std::int32_t first = 0;
    while (first < count) {
        const TTallyRecord& head = Tally[first];
        std::int32_t next = first + 1;
        while (next < count && Tally[next].Label == head.Label &&
               Tally[next].Length == head.Length) {
            ++next;
        }
        file.WriteLine(SummaryLine(head.Label.view(), next - first, head.Length));
        first = next;
    }
}

} // namespace kolvo
