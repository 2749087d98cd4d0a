#include "HtmlParts.h"

#include "SvgParts.h"

namespace kolvo {

const char* const PageBaseStyle = R"(@page{size:A3 landscape;margin:10mm}
html{font-family:"IPAPGothic","IPAexGothic","Noto Sans CJK JP","Yu Gothic","Meiryo",sans-serif;font-size:10pt;color:#000;background:#fff}
body{margin:0 auto;max-width:400mm;padding:4mm}
h1{font-size:15pt;margin:0 0 1mm}
h2{font-size:12pt;margin:4mm 0 1mm}
table{border-collapse:collapse}
th,td{border:1px solid #888;padding:1px 5px;text-align:left;vertical-align:top}
td.n{text-align:right}
thead{display:table-header-group}
tr{break-inside:avoid}
@media print{body{padding:0}}
)";

std::string HtmlCell(std::string_view cp932, bool number) {
    return std::string(number ? "<td class=\"n\">" : "<td>") + HtmlText(cp932) + "</td>";
}

std::string HtmlHeaderRow(const std::vector<std::string>& fields) {
    std::string row = "<thead><tr>";
    for (const std::string& field : fields) {
        row += "<th>" + HtmlText(field) + "</th>";
    }
    return row + "</tr></thead>\n";
}

bool IsNumberField(std::string_view text) {
    return !text.empty() && text.find_first_not_of("-0123456789.") == std::string_view::npos;
}

std::string HtmlTable(std::string_view cls, const std::vector<std::string>& header,
                      const std::vector<std::vector<std::string>>& rows) {
    std::string table = "<table class=\"" + std::string(cls) + "\">\n" + HtmlHeaderRow(header);
    table += "<tbody>\n";
    for (const std::vector<std::string>& row : rows) {
        table += "<tr>";
        for (const std::string& field : row) {
            table += HtmlCell(field, IsNumberField(field));
        }
        table += "</tr>\n";
    }
    return table + "</tbody>\n</table>\n";
}

} // namespace kolvo
