#include "CheckOutputs.h"
#include "FileNames.h"
#include "Geometry.h"
#include "Notes.h"
#include "NumberFormat.h"

namespace kolvo {

namespace {

// A CSV field, quoted (quotes doubled) where it holds a comma, a quote or a line break.
std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

} // namespace

TCheckFormat CheckFormatOf(std::string_view extension) {
    const auto is = [extension](std::string_view ext) {
        return SameIgnoringAsciiCase(extension, ext);
    };
    if (is(".csv")) {
        return TCheckFormat::List;
    }
    if (is(".dxf")) {
        return TCheckFormat::Drawing;
    }
    if (is(".html") || is(".htm")) {
        return TCheckFormat::Page;
    }
    return is(".svg") ? TCheckFormat::Picture : TCheckFormat::Unknown;
}

std::vector<TCheckedBar> CheckedBars(const TTraceRecord& record) {
    std::vector<TCheckedBar> bars;
    std::vector<unsigned char> listed;
    for (const TLabelTrace& label : record.Labels()) {
        for (const TProbe& probe : label.ProbedPoints) {
            if (probe.Bar < 0) {
                continue;
            }
            const auto slot = static_cast<std::size_t>(probe.Bar);
            if (slot >= listed.size()) {
                listed.resize(std::max(slot + 1, 2 * listed.size()));
            }
            if (!listed[slot]) {
                listed[slot] = 1;
                bars.push_back(TCheckedBar{probe.Bar, &label, record.TimesTallied(probe.Bar)});
            }
        }
    }
    return bars;
}

std::vector<std::int32_t> WalkedLines(const TTraceRecord& record) {
    std::vector<std::int32_t> lines;
    std::vector<unsigned char> listed;
    for (const TLabelTrace& label : record.Labels()) {
        for (const std::int32_t line : label.Walked) {
            const auto slot = static_cast<std::size_t>(line);
            if (slot >= listed.size()) {
                listed.resize(std::max(slot + 1, 2 * listed.size()));
            }
            if (!listed[slot]) {
                listed[slot] = 1;
                lines.push_back(line);
            }
        }
    }
    return lines;
}

std::string CheckedBarText(const TCheckedBar& bar, const TDrawing& drawing) {
    const TDxfLine& line = drawing.Lines[bar.Line];
    std::string text =
        bar.Label->Label + " " + FormatWhole(PointDistance(line.X1, line.Y1, line.X2, line.Y2));
    if (bar.Times > 1) {
        text += " (" + std::to_string(bar.Times) + "回数えた)";
    }
    return text;
}

std::vector<std::string> CheckListHeader() {
    return {"順",       "符号",         "円X",  "円Y",  "結果", "本数",
            "調べた点", "鉄筋なしの点", "重複", "備考", "注意"};
}

std::vector<std::vector<std::string>> CheckListRows(const TAnalysis& analysis) {
    const TTraceRecord& record = analysis.Trace;
    const std::vector<TLabelNotes> notes = LabelNotes(analysis);
    std::vector<std::vector<std::string>> rows;
    for (std::size_t i = 0; i < record.Labels().size(); ++i) {
        const TLabelTrace& label = record.Labels()[i];
        const TLabelOutcome outcome = label.Outcome();
        rows.push_back({std::to_string(i + 1), label.Label, FormatWhole(label.CX),
                        FormatWhole(label.CY), std::string(OutcomeCode(outcome)),
                        std::to_string(label.Probes - label.Misses), std::to_string(label.Probes),
                        std::to_string(label.Misses), std::to_string(record.Doubles(label)),
                        std::string(OutcomeRemark(outcome)), NoteCodes(notes[i])});
    }
    return rows;
}

std::string CheckListText(const TAnalysis& analysis) {
    std::string text;
    const auto add = [&text](const std::vector<std::string>& fields) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            text += (i > 0 ? "," : "") + CsvField(fields[i]);
        }
        text += "\r\n";
    };
    add(CheckListHeader());
    for (const std::vector<std::string>& row : CheckListRows(analysis)) {
        add(row);
    }
    return text;
}

std::string CheckText(TCheckFormat format, const TAnalysis& analysis, const TCheckPageInfo& page) {
    switch (format) {
    case TCheckFormat::List:
        return CheckListText(analysis);
    case TCheckFormat::Drawing:
        return CheckDrawingText(analysis);
    case TCheckFormat::Page:
        return CheckPageText(analysis, page);
    case TCheckFormat::Picture:
    case TCheckFormat::Unknown:
        break;
    }
    return CheckPictureText(analysis);
}

std::vector<std::string> WarningLines(const TAnalysis& analysis, std::size_t limit) {
    std::vector<std::string> lines;
    if (const std::int32_t escaped = analysis.Drawing.EscapedCharacters; escaped > 0) {
        // A drawing in another encoding: what the reports hold instead of those characters.
        lines.push_back("注意: CP932 にない文字が " + std::to_string(escaped) +
                        " 個あり、\\U+XXXX と書きました");
    }
    for (std::string& line : DrawingNoteLines(analysis.Drawing)) {
        lines.push_back(std::move(line));
    }
    const std::vector<TLabelNotes> notes =
        analysis.Trace.Detailed() ? LabelNotes(analysis) : std::vector<TLabelNotes>();
    std::size_t shown = 0, left = 0;
    const std::vector<TLabelTrace>& labels = analysis.Trace.Labels();
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const TLabelTrace& label = labels[i];
        std::vector<std::string> remarks;
        if (const TLabelOutcome outcome = label.Outcome(); outcome != TLabelOutcome::Ok) {
            remarks.emplace_back(OutcomeRemark(outcome));
        }
        if (i < notes.size()) {
            for (const TNote note : notes[i].Notes) {
                remarks.push_back(NoteText(note, notes[i]));
            }
        }
        if (remarks.empty()) {
            continue;
        }
        if (shown == limit) {
            ++left;
            continue;
        }
        ++shown;
        std::string line = "警告: 符号 " + label.Label + " (" + FormatWhole(label.CX) + ", " +
                           FormatWhole(label.CY) + "): ";
        for (std::size_t r = 0; r < remarks.size(); ++r) {
            line += (r > 0 ? " / " : "") + remarks[r];
        }
        lines.push_back(line);
    }
    if (left > 0) {
        lines.push_back("警告: ほかに " + std::to_string(left) + " 個の符号に警告があります");
    }
    return lines;
}

} // namespace kolvo
