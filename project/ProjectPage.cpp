// The project's page: one self-contained page (no script) with a row per drawing, linked to its
// check page, the drawings that failed with their messages, the project's mass table and totals.
#include "ExactSum.h"
#include "FileNames.h"
#include "KolvoVersion.h"
#include "NumberFormat.h"
#include "Project.h"
#include "SvgParts.h"
#include "TextCodec.h"

namespace kolvo {

namespace {

const char* const ProjectStyle = R"(@page{size:A3 landscape;margin:10mm}
html{font-family:"IPAPGothic","IPAexGothic","Noto Sans CJK JP","Yu Gothic","Meiryo",sans-serif;font-size:10pt;color:#000;background:#fff}
body{margin:0 auto;max-width:400mm;padding:4mm}
h1{font-size:15pt;margin:0 0 1mm}
h2{font-size:12pt;margin:4mm 0 1mm}
table{border-collapse:collapse}
th,td{border:1px solid #888;padding:1px 5px;text-align:left;vertical-align:top}
td.n{text-align:right}
thead{display:table-header-group}
tr{break-inside:avoid}
tr.look td{background:#fbe3d6}
tfoot td,tr.total td{font-weight:bold;border-top:2px solid #000}
.failed td{background:#fde0e0}
@media print{body{padding:0}}
)";

std::string Number(std::int64_t value) {
    return "<td class=\"n\">" + std::to_string(value) + "</td>";
}

// A file name as a relative link: every byte but the unreserved ones escaped, so that a "#", "%"
// or "?" in a drawing's name stays part of the name.
std::string LinkTo(std::string_view utf8) {
    static const char Hex[] = "0123456789ABCDEF";
    std::string link;
    for (const char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') ||
            b == '-' || b == '.' || b == '_' || b == '~') {
            link += c;
        } else {
            link += {'%', Hex[b >> 4], Hex[b & 15]};
        }
    }
    return link;
}

std::string Cell(std::string_view utf8, bool number = false) {
    return std::string(number ? "<td class=\"n\">" : "<td>") + HtmlUtf8(utf8) + "</td>";
}

} // namespace

std::string ProjectPageText(const TProjectResult& result, const TProjectOptions& options) {
    std::string out = "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n";
    out += "<title>" + HtmlText("プロジェクトの集計") + "</title>\n<style>\n" +
           std::string(ProjectStyle) + "</style>\n</head>\n<body>\n";
    out += "<h1>" + HtmlText("プロジェクトの集計") + "</h1>\n<p>" + HtmlText("作成 ") +
           "<time class=\"made-at\">" + HtmlUtf8(options.MadeAt) +
           "</time> / Kolvo " KOLVO_VERSION_TEXT "</p>\n";

    out += "<h2>" + HtmlText("図面") + "</h2>\n<table class=\"drawings\">\n<thead><tr>";
    for (const char* head : {"図面", "鉄筋の線", "総延長 (図面の単位)", "質量(kg)",
                             "数えられなかった符号", "二重に数えた鉄筋", "注意"}) {
        out += "<th>" + HtmlText(head) + "</th>";
    }
    out += "</tr></thead>\n<tbody>\n";
    std::int64_t bars = 0, uncounted = 0, doubles = 0, notes = 0;
    TExactSum length;
    for (const TDrawingResult& drawing : result.Drawings) {
        if (!drawing.Failure.empty()) {
            continue;
        }
        const std::string name = SystemNameToUtf8(drawing.Name);
        out += std::string("<tr") + (drawing.Look.Any() ? " class=\"look\"" : "") +
               "><td><a href=\"" + LinkTo(name + ".check.html") + "\">" + HtmlUtf8(name) +
               "</a></td>" + Number(drawing.Bars) + Cell(FormatWhole(drawing.Length), true) +
               Cell(drawing.MassKg, true) + Number(drawing.Look.Uncounted) +
               Number(drawing.Look.Doubles) + Number(drawing.Look.Notes) + "</tr>\n";
        bars += drawing.Bars;
        length.Add(drawing.Length);
        uncounted += drawing.Look.Uncounted;
        doubles += drawing.Look.Doubles;
        notes += drawing.Look.Notes;
    }
    const std::vector<std::vector<std::string>> masses = result.Masses.Rows();
    out += "</tbody>\n<tfoot><tr><td>" + HtmlText("合計") + "</td>" + Number(bars) +
           Cell(FormatWhole(length.Value()), true) + Cell(Cp932ToUtf8(masses.back().back()), true) +
           Number(uncounted) + Number(doubles) + Number(notes) + "</tr></tfoot>\n</table>\n";

    bool anyFailed = false;
    for (const TDrawingResult& drawing : result.Drawings) {
        if (drawing.Failure.empty()) {
            continue;
        }
        if (!anyFailed) {
            anyFailed = true;
            out += "<h2>" + HtmlText("集計できなかった図面") + "</h2>\n<table class=\"failed\">\n" +
                   "<thead><tr><th>" + HtmlText("図面") + "</th><th>" + HtmlText("理由") +
                   "</th></tr></thead>\n<tbody>\n";
        }
        out += "<tr>" + Cell(SystemNameToUtf8(CommandLineFileName(drawing.Path))) + "<td>" +
               HtmlText(drawing.Failure) + "</td></tr>\n";
    }
    if (anyFailed) {
        out += "</tbody>\n</table>\n";
    }

    out += "<h2>" + HtmlText("重量表") + "</h2>\n<table class=\"mass\">\n<thead><tr>";
    for (const std::string& head : masses.front()) {
        out += "<th>" + HtmlText(head) + "</th>";
    }
    out += "</tr></thead>\n<tbody>\n";
    for (std::size_t i = 1; i < masses.size(); ++i) {
        out += i + 1 == masses.size() ? "<tr class=\"total\">" : "<tr>"; // the last row sums
        for (std::size_t f = 0; f < masses[i].size(); ++f) {
            out += f == 0 ? "<td>" + HtmlText(masses[i][f]) + "</td>"
                          : "<td class=\"n\">" + HtmlText(masses[i][f]) + "</td>";
        }
        out += "</tr>\n";
    }
    out += "</tbody>\n</table>\n</body>\n</html>\n";
    return out;
}

} // namespace kolvo
