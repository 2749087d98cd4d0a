// The project's page: one self-contained page (no script) with a row per drawing, linked to its
// check page, the drawings that failed with their messages, the project's mass table and totals.
#include "ExactSum.h"
#include "FileNames.h"
#include "HtmlParts.h"
#include "KolvoVersion.h"
#include "NumberFormat.h"
#include "Project.h"
#include "SvgParts.h"
#include "TextCodec.h"

namespace kolvo {

namespace {

// After the rules both pages share.
const char* const ProjectStyle = R"(tr.look td{background:#fbe3d6}
tfoot td,table.mass tbody tr:last-child td{font-weight:bold;border-top:2px solid #000}
.failed td{background:#fde0e0}
)";

std::string Number(std::int64_t value) {
    return HtmlCell(std::to_string(value), true);
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

} // namespace

std::string ProjectPageText(const TProjectResult& result, const TProjectOptions& options) {
    std::string out = "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n";
    out += "<title>" + HtmlText("プロジェクトの集計") + "</title>\n<style>\n" + PageBaseStyle +
           ProjectStyle + "</style>\n</head>\n<body>\n";
    out += "<h1>" + HtmlText("プロジェクトの集計") + "</h1>\n<p>" + HtmlText("作成 ") +
           "<time class=\"made-at\">" + HtmlUtf8(options.MadeAt) +
           "</time> / Kolvo " KOLVO_VERSION_TEXT "</p>\n";

    out += "<h2>" + HtmlText("図面") + "</h2>\n<table class=\"drawings\">\n" +
           HtmlHeaderRow({"図面", "鉄筋の線", "総延長 (図面の単位)", "質量(kg)",
                          "数えられなかった符号", "二重に数えた鉄筋", "注意"}) +
           "<tbody>\n";
    std::int64_t bars = 0, uncounted = 0, doubles = 0, notes = 0;
    TExactSum length;
    for (const TDrawingResult& drawing : result.Drawings) {
        if (!drawing.Failure.empty()) {
            continue;
        }
        const std::string name = SystemNameToUtf8(drawing.Name);
        out += std::string("<tr") + (drawing.Look.Any() ? " class=\"look\"" : "") +
               "><td><a href=\"" + LinkTo(name + ".check.html") + "\">" + HtmlUtf8(name) +
               "</a></td>" + Number(drawing.Bars) + HtmlCell(FormatWhole(drawing.Length), true) +
               HtmlCell(drawing.MassKg, true) + Number(drawing.Look.Uncounted) +
               Number(drawing.Look.Doubles) + Number(drawing.Look.Notes) + "</tr>\n";
        bars += drawing.Bars;
        length.Add(drawing.Length);
        uncounted += drawing.Look.Uncounted;
        doubles += drawing.Look.Doubles;
        notes += drawing.Look.Notes;
    }
    const std::vector<std::vector<std::string>> masses = result.Masses.Rows();
    out += "</tbody>\n<tfoot><tr><td>" + HtmlText("合計") + "</td>" + Number(bars) +
           HtmlCell(FormatWhole(length.Value()), true) + HtmlCell(masses.back().back(), true) +
           Number(uncounted) + Number(doubles) + Number(notes) + "</tr></tfoot>\n</table>\n";

    bool anyFailed = false;
    for (const TDrawingResult& drawing : result.Drawings) {
        if (drawing.Failure.empty()) {
            continue;
        }
        if (!anyFailed) {
            anyFailed = true;
            out += "<h2>" + HtmlText("集計できなかった図面") + "</h2>\n<table class=\"failed\">\n" +
                   HtmlHeaderRow({"図面", "理由"}) + "<tbody>\n";
        }
        out += "<tr><td>" + HtmlUtf8(SystemNameToUtf8(CommandLineFileName(drawing.Path))) +
               "</td>" + HtmlCell(drawing.Failure) + "</tr>\n";
    }
    if (anyFailed) {
        out += "</tbody>\n</table>\n";
    }

    const std::vector<std::vector<std::string>> rows(masses.begin() + 1, masses.end());
    out += "<h2>" + HtmlText("重量表") + "</h2>\n" + HtmlTable("mass", masses.front(), rows);
    out += "</body>\n</html>\n";
    return out;
}

} // namespace kolvo
