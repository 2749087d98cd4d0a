#include "FileNames.h"

#include <algorithm>

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

std::size_t FileExtPositionUtf8(std::string_view path) {
    std::size_t dot = std::string_view::npos;
    for (std::size_t pos = 0; pos < path.size(); ++pos) {
        const char c = path[pos];
        if (c == '.') {
            dot = pos;
        } else if (c == '\\' || c == '/' || c == ':') {
            dot = std::string_view::npos;
        }
    }
    return dot;
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [&lower](char x, char y) { return lower(x) == lower(y); });
}

bool IsDetailReportExt(std::string_view ext, bool ignoreCase) {
    return ignoreCase ? SameIgnoringAsciiCase(ext, ".txt") : ext == ".txt";
}

std::string DialogReportPath(std::string_view reportName) {
    return ChangeFileExt(reportName, ".csv");
}

std::string DialogDxfPath(std::string_view baseName) {
    return ChangeFileExt(baseName, ".dxf");
}

std::string CommandLineFileName(const std::string& path) {
    std::size_t start = 0;
#ifdef _WIN32
    for (const char delimiter : {'\\', '/', ':'}) {
        const std::size_t at = SjisFindLastChar(path, delimiter);
        if (at != std::string_view::npos) {
            start = std::max(start, at + 1);
        }
    }
#else
    const std::size_t at = path.rfind('/');
    start = at == std::string::npos ? 0 : at + 1;
#endif
    return path.substr(start);
}

namespace {

// Where the extension of a name as the system spells it begins, or npos.
std::size_t CommandLineExtPosition(std::string_view name) {
#ifdef _WIN32
    return FileExtPosition(name);
#else
    return FileExtPositionUtf8(name);
#endif
}

} // namespace

std::string CommandLineStem(const std::string& path) {
    const std::string name = CommandLineFileName(path);
    const std::size_t dot = CommandLineExtPosition(name);
    return dot == std::string_view::npos ? name : name.substr(0, dot);
}

std::string CommandLineExtension(const std::string& path) {
    const std::size_t dot = CommandLineExtPosition(path);
    return dot == std::string_view::npos ? std::string() : path.substr(dot);
}

std::string CommandLinePathIn(const std::string& folder, const std::string& name) {
#ifdef _WIN32
    const char separator = '\\';
#else
    const char separator = '/';
#endif
    // A folder whose last name is empty ends in a separator.
    return folder.empty() || CommandLineFileName(folder).empty() ? folder + name
                                                                 : folder + separator + name;
}

TReportNames CommandLineReportNames(const std::string& report) {
    // As SummaryReportPath and DetailReportPath name them, by the system's rule for extensions.
    TReportNames names;
    names.Summary =
        CommandLineExtPosition(report) == std::string_view::npos ? report + ".csv" : report;
    names.Detail = names.Summary.substr(0, CommandLineExtPosition(names.Summary)) + ".txt";
    return names;
}

} // namespace kolvo
