// The texts of the two report files: the detail list (one line per bar) and the summary (one line
// per label and exact length with its number of bars). Plain CP932 text, CR LF line ends, no
// header, no quoting. The writer (OutputFiles.h) puts them on disk.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Tally.h"

namespace kolvo {

// The detail line of one record, without its line end.
std::string DetailLine(const TTallyRecord& record);

// The summary line of a group of `count` bars, without its line end.
std::string SummaryLine(std::string_view label, std::int32_t count, double length);

// A group of the summary: neighbouring records of the sorted tally with byte-identical labels
// and exactly equal lengths.
struct TSummaryGroup {
    std::string_view Label;
    std::int32_t Count = 0;
    double Length = 0;
};
std::vector<TSummaryGroup> SummaryGroups(const TTally& Tally);

// One detail line per record of `Tally`, in tally order.
std::string DetailText(const TTally& Tally);

// One summary line per group of neighbouring records with byte-identical labels and exactly
// equal lengths, in tally order.
std::string SummaryText(const TTally& Tally);

} // namespace kolvo
