// The check page: one self-contained, printable HTML page of what was counted. The drawing with
// its overlay and the label texts, the check list, the summary and the mass table, and paper
// rules for A3 landscape. It has no script and no reference to anything outside it, so it opens
// the same from a mail attachment as from the disk.
#include <algorithm>
#include <cmath>

#include "CheckOutputs.h"
#include "Geometry.h"
#include "HtmlParts.h"
#include "KolvoVersion.h"
#include "MassTable.h"
#include "Notes.h"
#include "NumberFormat.h"
#include "ReportFiles.h"
#include "ShiftJis.h"
#include "SvgParts.h"

namespace kolvo {

namespace {

// Colours that readers with any common colour vision tell apart (the Okabe-Ito set); every state
// is also told by its shape or line style.
constexpr char Blue[] = "#0072B2";
constexpr char Orange[] = "#E69F00";
constexpr char SkyBlue[] = "#56B4E9";
constexpr char Green[] = "#009E73";
constexpr char Vermillion[] = "#D55E00";

// After the rules both pages share.
const char* const PageStyle = R"(.made{margin:0 0 2mm;color:#333}
.totals{margin-bottom:2mm}
.totals th{background:#eee;font-weight:normal}
.first-page{break-after:page}
svg.picture{display:block;width:100%;height:auto;max-height:225mm;border:1px solid #999;background:#fff}
.picture .drawing{fill:none;stroke:#b4b4b4;stroke-width:0.6px}
.picture line,.picture path,.picture circle{vector-effect:non-scaling-stroke}
.picture .leader{stroke:#56B4E9;stroke-width:1.5px;stroke-dasharray:2 2}
.picture .bar{stroke:#0072B2;stroke-width:2.5px}
.picture .double{stroke:#E69F00;stroke-width:4px;stroke-dasharray:8 4}
.picture .point{fill:#009E73;stroke:none}
.picture .point.missed{fill:none;stroke:#D55E00;stroke-width:2px}
.picture .label-ring{fill:#fff;fill-opacity:0.75;stroke:#444;stroke-width:1px}
.picture .label{fill:#000;text-anchor:middle;dominant-baseline:central}
.picture .missing{fill:none;stroke:#D55E00;stroke-width:3px;stroke-dasharray:6 2 1 2}
.picture .number{fill:#D55E00;font-weight:bold;dominant-baseline:central}
.picture .note{fill:#E69F00;stroke:#000;stroke-width:1px}
.drawing-notes{margin:1mm 0 2mm;padding-left:5mm;color:#8a3300;font-weight:bold}
.check-list tr.noted td{background:#fff3d6}
.check-list tr.noted td:last-child::before{content:"\26A0 ";color:#b36b00}
.legend{list-style:none;padding:0;margin:2mm 0;display:flex;flex-wrap:wrap;gap:2mm 8mm}
.legend li{display:flex;align-items:center;gap:2mm}
.legend svg{width:14mm;height:5mm}
table.check-list,table.summary,table.mass{width:100%;font-size:9pt}
.check-list tr.look td{background:#fbe3d6;font-weight:bold}
.check-list tr.look td:first-child::before{content:"\25B2 ";color:#D55E00}
.check-list a{color:inherit}
.tables{display:flex;flex-wrap:wrap;gap:0 8mm;align-items:flex-start}
.tables section{flex:1 1 120mm}
)";

// How wide a label is in ems: a half-width character about half as wide as a full-width one.
double EmsOf(std::string_view cp932) {
    double ems = 0;
    for (std::size_t i = 0; i < cp932.size(); ++i) {
        const auto byte = static_cast<unsigned char>(cp932[i]);
        if (IsSjisLeadByte(byte) && i + 1 < cp932.size()) {
            ems += 1.0;
            ++i;
        } else {
            ems += byte >= 0xA1 && byte <= 0xDF ? 0.5 : 0.6; // half-width kana, or ASCII
        }
    }
    return std::max(ems, 1.0);
}

struct TCounts {
    std::int32_t Counted = 0, NotCounted = 0; // label circles OK, and not
    std::int32_t Bars = 0, Doubles = 0, Leaders = 0, Points = 0, Missed = 0;
    std::int32_t Noted = 0; // label circles with notes
};

TCounts CountsOf(const TAnalysis& analysis, const std::vector<TCheckedBar>& bars,
                 std::size_t leaders, const std::vector<TLabelNotes>& notes) {
    TCounts counts;
    for (const TLabelNotes& note : notes) {
        counts.Noted += note.Notes.empty() ? 0 : 1;
    }
    for (const TLabelTrace& label : analysis.Trace.Labels()) {
        ++(label.Outcome() == TLabelOutcome::Ok ? counts.Counted : counts.NotCounted);
        for (const TProbe& probe : label.ProbedPoints) {
            ++(probe.Bar >= 0 ? counts.Points : counts.Missed);
        }
    }
    for (const TCheckedBar& bar : bars) {
        ++(bar.Times > 1 ? counts.Doubles : counts.Bars);
    }
    counts.Leaders = static_cast<std::int32_t>(leaders);
    return counts;
}

// A bar's tooltip: what the overlays say of it, and its layer.
std::string BarTitle(const TCheckedBar& bar, const TDrawing& drawing) {
    return "<title>" + HtmlText(CheckedBarText(bar, drawing)) + " / 画層 " +
           HtmlText(drawing.Property(drawing.Lines[bar.Line].Layer)) + "</title>";
}

void AppendPicture(std::string& out, const TAnalysis& analysis,
                   const std::vector<TCheckedBar>& bars, const std::vector<std::int32_t>& leaders,
                   const std::vector<TLabelNotes>& notes) {
    const TDrawing& drawing = analysis.Drawing;
    const TBounds bounds = DrawingBounds(drawing);
    // What must be seen however small the label circles are against the drawing (a few bars
    // far apart): the points probed, the rings round the circles that need a look, and their
    // numbers keep a least size on the page.
    const double least = PictureSize(bounds);
    out += "<svg class=\"picture\" viewBox=\"" + ViewBox(bounds) +
           "\" preserveAspectRatio=\"xMidYMid meet\" role=\"img\" aria-label=\"" +
           HtmlText("図面と数えた鉄筋") + "\">\n";
    out += "<g class=\"drawing\">";
    AppendDrawingShapes(out, drawing);
    out += "</g>\n<g class=\"overlay\">\n";
    for (const std::int32_t index : leaders) {
        out += LineElement(drawing.Lines[index], "leader") + "/>\n";
    }
    for (const TCheckedBar& bar : bars) {
        out += LineElement(drawing.Lines[bar.Line], bar.Times > 1 ? "double" : "bar") + ">" +
               BarTitle(bar, drawing) + "</line>\n";
    }
    for (const TLabelTrace& label : analysis.Trace.Labels()) {
        const double r = std::max(label.Radius * 0.18, least / 1500);
        for (const TProbe& probe : label.ProbedPoints) {
            if (probe.Bar >= 0) {
                out += CircleElement(probe.X, probe.Y, r, "point") + "/>\n";
                continue;
            }
            // A cross where no bar was found: told from a found point by its shape too.
            const double x = probe.X, y = -probe.Y;
            out += "<path class=\"point missed\" d=\"M" + Num(x - r) + " " + Num(y - r) + "L" +
                   Num(x + r) + " " + Num(y + r) + "M" + Num(x - r) + " " + Num(y + r) + "L" +
                   Num(x + r) + " " + Num(y - r) + "\"/>\n";
        }
    }
    const std::vector<TLabelTrace>& labels = analysis.Trace.Labels();
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const TLabelTrace& label = labels[i];
        const std::string n = std::to_string(i + 1);
        const TLabelOutcome outcome = label.Outcome();
        const double r = label.Radius;
        // As large as the circle holds it: its height, or its width for a long label.
        const double font = std::min(0.8 * r, 1.7 * r / EmsOf(label.Label));
        out += "<g class=\"label-circle\" id=\"c-" + n + "\"><a href=\"#r-" + n + "\"><title>" + n +
               ": " + HtmlText(label.Label);
        if (outcome != TLabelOutcome::Ok) {
            out += " / " + HtmlText(OutcomeRemark(outcome));
        }
        for (const TNote note : notes[i].Notes) {
            out += " / " + HtmlText(NoteText(note, notes[i]));
        }
        out += "</title>" + CircleElement(label.CX, label.CY, r, "label-ring") + "/>";
        out += "<text class=\"label\" x=\"" + Num(label.CX) + "\" y=\"" + Num(-label.CY) +
               "\" font-size=\"" + Num(font) + "\">" + HtmlText(label.Label) + "</text>";
        if (outcome != TLabelOutcome::Ok) {
            const double ring = std::max(1.5 * r, least / 90);
            out += CircleElement(label.CX, label.CY, ring, "missing") + "/>";
            out += "<text class=\"number\" x=\"" + Num(label.CX + 1.15 * ring) + "\" y=\"" +
                   Num(-label.CY) + "\" font-size=\"" + Num(std::max(r, least / 60)) + "\">" + n +
                   "</text>";
        }
        if (!notes[i].Notes.empty()) {
            // A warning triangle at the circle's upper left, as large as the ring's least size.
            const double side = std::max(r, least / 70);
            const double x = label.CX - r - 0.3 * side, y = -label.CY - r;
            out += "<path class=\"note\" d=\"M" + Num(x) + " " + Num(y - side) + "L" +
                   Num(x + 0.58 * side) + " " + Num(y) + "L" + Num(x - 0.58 * side) + " " + Num(y) +
                   "Z\"/>";
        }
        out += "</a></g>\n";
    }
    out += "</g>\n</svg>\n";
}

// One entry of the legend: a small picture of the mark, what it is and how many there are.
std::string LegendEntry(const std::string& swatch, std::string_view what, std::int32_t count) {
    return "<li><svg viewBox=\"0 0 40 14\" aria-hidden=\"true\">" + swatch + "</svg>" +
           HtmlText(what) + " " + std::to_string(count) + "</li>\n";
}

std::string SwatchLine(const char* colour, double width, const char* dashes) {
    return std::string("<line x1=\"2\" y1=\"7\" x2=\"38\" y2=\"7\" stroke=\"") + colour +
           "\" stroke-width=\"" + Num(width) + "\"" +
           (dashes[0] != '\0' ? std::string(" stroke-dasharray=\"") + dashes + "\"" : "") + "/>";
}

void AppendLegend(std::string& out, const TCounts& counts) {
    out += "<ul class=\"legend\">\n";
    out += LegendEntry(SwatchLine(Blue, 2.5, ""), "鉄筋", counts.Bars);
    out += LegendEntry(SwatchLine(Orange, 4, "8 4"), "二重に数えた鉄筋", counts.Doubles);
    out += LegendEntry(SwatchLine(SkyBlue, 1.5, "2 2"), "引出線", counts.Leaders);
    out += LegendEntry(std::string("<circle cx=\"20\" cy=\"7\" r=\"4\" fill=\"") + Green + "\"/>",
                       "鉄筋のあった点", counts.Points);
    out += LegendEntry(std::string("<path d=\"M16 3L24 11M16 11L24 3\" fill=\"none\" stroke=\"") +
                           Vermillion + "\" stroke-width=\"2\"/>",
                       "鉄筋のない点", counts.Missed);
    out += LegendEntry(std::string("<circle cx=\"20\" cy=\"7\" r=\"5.5\" fill=\"none\" stroke=\"") +
                           Vermillion + "\" stroke-width=\"2\" stroke-dasharray=\"6 2 1 2\"/>",
                       "確認が必要な符号", counts.NotCounted);
    out += LegendEntry(std::string("<path d=\"M20 1L26 13L14 13Z\" fill=\"") + Orange +
                           "\" stroke=\"#000\" stroke-width=\"1\"/>",
                       "注意のある符号", counts.Noted);
    out += "</ul>\n";
}

void AppendTotals(std::string& out, const TAnalysis& analysis, const TCounts& counts,
                  const TMassTable* masses) {
    std::vector<std::pair<std::string, std::string>> totals = {
        {"符号円", "数えた " + std::to_string(counts.Counted) + " / 数えられなかった " +
                       std::to_string(counts.NotCounted)},
        {"数えた鉄筋の線", std::to_string(analysis.Tally.Count()) + " 本"},
        {"二重に数えた鉄筋", std::to_string(counts.Doubles) + " 本"},
        {"総延長", FormatWhole(TallyLength(analysis.Tally)) + " (図面の単位)"},
    };
    if (masses != nullptr) {
        totals.emplace_back("総質量", masses->Rows().back().back() + " kg");
    }
    out += "<table class=\"totals\"><tbody>\n";
    for (const auto& [what, value] : totals) {
        out += "<tr><th>" + HtmlText(what) + "</th><td>" + HtmlText(value) + "</td></tr>\n";
    }
    out += "</tbody></table>\n";
}

void AppendCheckList(std::string& out, const TAnalysis& analysis,
                     const std::vector<TLabelNotes>& notes) {
    out += "<table class=\"check-list\">\n" + HtmlHeaderRow(CheckListHeader()) + "<tbody>\n";
    const std::vector<std::vector<std::string>> rows = CheckListRows(analysis);
    const std::vector<TLabelTrace>& labels = analysis.Trace.Labels();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string n = rows[i][0];
        std::string classes = labels[i].Outcome() != TLabelOutcome::Ok ? "look" : "";
        if (!notes[i].Notes.empty()) {
            classes += classes.empty() ? "noted" : " noted";
        }
        out += "<tr id=\"r-" + n + "\"" + (classes.empty() ? "" : " class=\"" + classes + "\"") +
               "><td class=\"n\"><a href=\"#c-" + n + "\">" + n + "</a></td>";
        // Every field but the last as the list writes it; the notes' codes with their words.
        for (std::size_t f = 1; f + 1 < rows[i].size(); ++f) {
            out += HtmlCell(rows[i][f], f != 1 && IsNumberField(rows[i][f]));
        }
        out += "<td class=\"notes\">";
        for (std::size_t k = 0; k < notes[i].Notes.size(); ++k) {
            const TNote note = notes[i].Notes[k];
            out += (k > 0 ? "<br>" : "") + HtmlText(NoteCode(note)) + " " +
                   HtmlText(NoteText(note, notes[i]));
        }
        out += "</td></tr>\n";
    }
    out += "</tbody>\n</table>\n";
}

} // namespace

std::string CheckPageText(const TAnalysis& analysis, const TCheckPageInfo& info) {
    const std::vector<TCheckedBar> bars = CheckedBars(analysis.Trace);
    const std::vector<std::int32_t> leaders = WalkedLines(analysis.Trace);
    const std::vector<TLabelNotes> notes = LabelNotes(analysis);
    const TCounts counts = CountsOf(analysis, bars, leaders.size(), notes);
    std::optional<TMassTable> masses;
    if (info.MmPerUnit) {
        masses = MassTableOf(analysis, *info.MmPerUnit);
    }

    std::string out;
    out.reserve(96 * static_cast<std::size_t>(analysis.Drawing.LineCount()) + 65536);
    out += "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n";
    const std::string name = HtmlUtf8(info.DrawingName);
    out += "<title>" + HtmlText("集計の確認") + " - " + name + "</title>\n";
    out += "<style>\n" + std::string(PageBaseStyle) + PageStyle + "</style>\n</head>\n<body>\n";
    out +=
        "<div class=\"first-page\">\n<header>\n<h1>" + HtmlText("集計の確認: ") + name + "</h1>\n";
    out += "<p class=\"made\">" + HtmlText("作成 ") + "<time class=\"made-at\">" +
           HtmlUtf8(info.MadeAt) + "</time> / Kolvo " KOLVO_VERSION_TEXT "</p>\n";
    AppendTotals(out, analysis, counts, masses ? &*masses : nullptr);
    if (const std::vector<std::string> lines = DrawingNoteLines(analysis.Drawing); !lines.empty()) {
        out += "<ul class=\"drawing-notes\">\n";
        for (const std::string& line : lines) {
            out += "<li>" + HtmlText(line) + "</li>\n";
        }
        out += "</ul>\n";
    }
    out += "</header>\n";
    AppendPicture(out, analysis, bars, leaders, notes);
    AppendLegend(out, counts);
    out += "</div>\n";

    out += "<section>\n<h2>" + HtmlText("確認リスト") + "</h2>\n";
    AppendCheckList(out, analysis, notes);
    out += "</section>\n<div class=\"tables\">\n<section>\n<h2>" + HtmlText("集計表") + "</h2>\n";
    std::vector<std::vector<std::string>> summary;
    for (const TSummaryGroup& group : SummaryGroups(analysis.Tally)) {
        summary.push_back(
            {std::string(group.Label), std::to_string(group.Count), FormatWhole(group.Length)});
    }
    out += HtmlTable("summary", {"符号", "本数", "長さ"}, summary);
    out += "</section>\n";
    if (masses) {
        std::vector<std::vector<std::string>> rows = masses->Rows();
        const std::vector<std::string> header = rows.front();
        rows.erase(rows.begin());
        out += "<section>\n<h2>" + HtmlText("重量表") + "</h2>\n" +
               HtmlTable("mass", header, rows) + "</section>\n";
    }
    out += "</div>\n</body>\n</html>\n";
    return out;
}

} // namespace kolvo
