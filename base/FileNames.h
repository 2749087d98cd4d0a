// File names: extensions, and the names of the two reports derived from the name the user chose.
//
// Where the dialog and the command line deliberately part:
// - Summary name. The dialog always writes "<name>.csv": its own extension replaced
//   (DialogReportPath). The command line and the analysis keep an extension the user gave and
//   append ".csv" only to a name without one (SummaryReportPath).
// - A ".txt" report name. The dialog cannot produce one (see above). The analysis refuses a
//   summary whose extension is ".txt" (letter case ignored on Windows only, where the file system
//   ignores it); the command line refuses it before anything is created, in any letter case.
// - Name bytes. The dialog and the analysis read names as CP932. The command line on Linux gets
//   UTF-8 names and applies the same rules to them with FileExtPositionUtf8.
//
// The extension of a path is the part from its last "." to the end, provided that no "\", "/"
// or ":" comes after that dot; a file name ending in "." thus has an extension (the lone dot).
// Paths are CP932 bytes: the second byte of a double-byte character (such as the 0x5C of 表) is
// never taken for one of these characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kolvo {

// Position of the extension's dot in `path`, or npos when the path has no extension.
std::size_t FileExtPosition(std::string_view path);

// The extension of `path`, dot included; empty when it has none.
std::string ExtractFileExt(std::string_view path);

// `path` with its extension replaced by `ext` (which brings its own dot), or with `ext`
// appended when the path has no extension.
std::string ChangeFileExt(std::string_view path, std::string_view ext);

// The same for a UTF-8 path: every byte of a multibyte character is 0x80 or above, so every dot
// and separator byte is one.
std::size_t FileExtPositionUtf8(std::string_view path);

// Whether two extensions (or any two texts) are the same but for the case of ASCII letters.
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b);

// Whether `ext` (dot included) is the detail report's ".txt": exactly, or in any letter case
// when `ignoreCase`.
bool IsDetailReportExt(std::string_view ext, bool ignoreCase);

// The summary (.csv) report path: the chosen path itself, or with ".csv" appended when it has
// no extension.
std::string SummaryReportPath(std::string_view reportPath);

// The detail (.txt) report path that belongs to a summary path.
std::string DetailReportPath(std::string_view summaryPath);

// The two reports of a report name given on the command line, as the system spells file names:
// CP932 on Windows, UTF-8 on Linux, where the CP932 rules would misread a name's bytes (in
// "配筋.csv" the last byte of 筋 looks like a lead byte and hides the dot).
struct TReportNames {
    std::string Summary; // the report name, or with ".csv" appended when it has no extension
    std::string Detail;  // the summary name with its extension replaced by ".txt"
};
TReportNames CommandLineReportNames(const std::string& report);

// The file name of a path given on the command line, without its folder, as the system spells
// it: after the last "\\", "/" or ":" on Windows (never the second byte of a double-byte
// character), after the last "/" elsewhere.
std::string CommandLineFileName(const std::string& path);
// The same without its extension (by the system's rules, as CommandLineReportNames reads them).
std::string CommandLineStem(const std::string& path);
// Its extension, dot included; empty when it has none.
std::string CommandLineExtension(const std::string& path);
// The file `name` in `folder`, with the system's separator between them unless the folder ends
// in one already (on Windows also in ":", and never in the second byte of 表).
std::string CommandLinePathIn(const std::string& folder, const std::string& name);

// The dialog's summary path for a report name: its extension replaced by ".csv", appended when
// it has none.
std::string DialogReportPath(std::string_view reportName);

// The dialog's DXF export path for its base name.
std::string DialogDxfPath(std::string_view baseName);

} // namespace kolvo
