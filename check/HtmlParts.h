// What the check page and the project page print alike: the paper, the type and the tables.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kolvo {

// The style rules both pages begin with: A3 landscape, the Japanese fonts, headings and ruled
// tables whose header row stands on every printed page.
extern const char* const PageBaseStyle;

// A table cell of a CP932 text; a number is set to the right.
std::string HtmlCell(std::string_view cp932, bool number = false);
// The header row of CP932 fields.
std::string HtmlHeaderRow(const std::vector<std::string>& fields);
// Whether a field is a number, set to the right.
bool IsNumberField(std::string_view text);
// A table of class `cls` with its header and rows of CP932 fields.
std::string HtmlTable(std::string_view cls, const std::vector<std::string>& header,
                      const std::vector<std::vector<std::string>>& rows);

} // namespace kolvo
