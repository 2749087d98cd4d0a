#include "ReportFiles.h"

#include "NumberFormat.h"

namespace kolvo {

namespace {

constexpr std::size_t LabelWidth = 10;
constexpr std::size_t NumberWidth = 8;

} // namespace

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

std::string DetailText(const TTally& Tally) {
    std::string text;
    for (const TTallyRecord& record : Tally) {
        text += DetailLine(record);
        text += "\r\n";
    }
    return text;
}

std::vector<TSummaryGroup> SummaryGroups(const TTally& Tally) {
    std::vector<TSummaryGroup> groups;
    const std::int32_t count = Tally.Count();
    std::int32_t first = 0;
    while (first < count) {
        const TTallyRecord& head = Tally[first];
        std::int32_t next = first + 1;
        while (next < count && Tally[next].Label == head.Label &&
               Tally[next].Length == head.Length) {
            ++next;
        }
        groups.push_back(TSummaryGroup{head.Label.view(), next - first, head.Length});
        first = next;
    }
    return groups;
}

std::string SummaryText(const TTally& Tally) {
    std::string text;
    for (const TSummaryGroup& group : SummaryGroups(Tally)) {
        text += SummaryLine(group.Label, group.Count, group.Length);
        text += "\r\n";
    }
    return text;
}

} // namespace kolvo
