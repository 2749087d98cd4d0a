#include "ReportPaths.h"

#include "ShiftJis.h"

namespace kolvo {

std::size_t FileExtPosition(std::string_view path) {
    std::size_t dot = std::string_view::npos;
    std::size_t pos = 0;
    while (pos < path.size()) {
        const char c = path[pos];
        if (IsSjisLeadByte(static_cast<unsigned char>(c)) && pos + 1 < path.size()) {
            pos += 2;
            continue;
        }
        if (c == '.') {
            dot = pos;
        } else if (c == '\\' || c == '/' || c == ':') {
            dot = std::string_view::npos;
        }
        ++pos;
    }
    return dot;
}

std::string ExtractFileExt(std::string_view path) {
    const std::size_t dot = FileExtPosition(path);
    return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
    std::string result(path.substr(0, FileExtPosition(path)));
    result.append(ext);
    return result;
}

std::string SummaryReportPath(std::string_view reportPath) {
    if (FileExtPosition(reportPath) != std::string_view::npos) {
        return std::string(reportPath);
    }
    return std::string(reportPath) + ".csv";
}

std::string DetailReportPath(std::string_view summaryPath) {
    return ChangeFileExt(summaryPath, ".txt");
}

} // namespace kolvo
