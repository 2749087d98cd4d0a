#include "Notes.h"

#include <algorithm>

#include "BarDiameter.h"
#include "BarTrace.h"
#include "Geometry.h"
#include "ShiftJis.h"
#include "UnitMass.h"

namespace kolvo {

namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A bar at a tip whose end lies at the tip: a valid tip has exactly two further line ends there,
// the arrow's strokes, so the bar is one of them.
bool IsStrokeAtTip(const TDxfLine& bar, const TProbe& probe) {
    return probe.AtTip && (PointDistance(bar.X1, bar.Y1, probe.X, probe.Y) < ConnectTolerance ||
                           PointDistance(bar.X2, bar.Y2, probe.X, probe.Y) < ConnectTolerance);
}

} // namespace

bool TLabelNotes::Has(TNote note) const {
    return std::find(Notes.begin(), Notes.end(), note) != Notes.end();
}

bool TLabelNotes::HasDoubt() const {
    return std::any_of(Notes.begin(), Notes.end(),
                       [](TNote note) { return note != TNote::NoDiameter; });
}

std::int32_t TLabelNotes::BarsPerLine() const {
    return LabelCount >= 2 && Found == 1 ? LabelCount : 1;
}

bool HasFormatCodes(std::string_view label) {
    for (std::size_t i = 0; i < label.size(); ++i) {
        const auto byte = static_cast<unsigned char>(label[i]);
        if (IsSjisLeadByte(byte)) {
            ++i; // its second byte is no character of its own (0x5C of 表 is no backslash)
            continue;
        }
        if (label[i] == '{' || label[i] == '}') {
            return true;
        }
        if (label[i] == '\\' && i + 1 < label.size() && IsAsciiLetter(label[i + 1]) &&
            label[i + 1] != 'U' && label[i + 1] != 'M') {
            return true;
        }
    }
    return false;
}

std::vector<TLabelNotes> LabelNotes(const TAnalysis& analysis) {
    const TDrawing& drawing = analysis.Drawing;
    std::vector<TLabelNotes> all;
    for (const TLabelTrace& label : analysis.Trace.Labels()) {
        TLabelNotes notes;
        notes.LabelCount = ReadLabelCount(label.Label);
        bool stroke = false;
        std::vector<TPropertyId> layers;
        for (const TProbe& probe : label.ProbedPoints) {
            if (probe.Bar < 0) {
                continue;
            }
            ++notes.Found;
            const TDxfLine& bar = drawing.Lines[probe.Bar];
            stroke = stroke || IsStrokeAtTip(bar, probe);
            if (std::find(layers.begin(), layers.end(), bar.Layer) == layers.end()) {
                layers.push_back(bar.Layer);
            }
        }
        if (stroke) {
            notes.Notes.push_back(TNote::Stroke);
        }
        if (FindUnitMass(ReadBarDiameter(label.Label)) == nullptr) {
            notes.Notes.push_back(TNote::NoDiameter);
        }
        if (HasFormatCodes(label.Label)) {
            notes.Notes.push_back(TNote::FormatCodes);
        }
        if (notes.LabelCount >= 2 && notes.Found > 0 && notes.Found != 1 &&
            notes.Found != notes.LabelCount) {
            notes.Notes.push_back(TNote::CountPrefix);
        }
        if (layers.size() > 1) {
            notes.Notes.push_back(TNote::Layers);
        }
        all.push_back(std::move(notes));
    }
    return all;
}

TLookCounts NeedsALook(const TAnalysis& analysis) {
    TLookCounts counts;
    const std::vector<TLabelNotes> notes = LabelNotes(analysis);
    const std::vector<TLabelTrace>& labels = analysis.Trace.Labels();
    std::vector<std::int32_t> tallied;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (labels[i].Outcome() != TLabelOutcome::Ok && !notes[i].Has(TNote::NoDiameter)) {
            ++counts.Uncounted;
        }
        if (notes[i].HasDoubt()) {
            ++counts.Notes;
        }
        for (const TProbe& probe : labels[i].ProbedPoints) {
            if (probe.Bar >= 0 && analysis.Trace.TimesTallied(probe.Bar) > 1) {
                tallied.push_back(probe.Bar);
            }
        }
    }
    std::sort(tallied.begin(), tallied.end());
    counts.Doubles =
        static_cast<std::int32_t>(std::unique(tallied.begin(), tallied.end()) - tallied.begin());
    counts.Notes += static_cast<std::int32_t>(DrawingNoteLines(analysis.Drawing).size());
    return counts;
}

std::string_view NoteCode(TNote note) {
    switch (note) {
    case TNote::Stroke:
        return "STROKE";
    case TNote::NoDiameter:
        return "NO_DIAMETER";
    case TNote::FormatCodes:
        return "FORMAT_CODES";
    case TNote::CountPrefix:
        return "COUNT_PREFIX";
    case TNote::Layers:
        break;
    }
    return "LAYERS";
}

std::string NoteText(TNote note, const TLabelNotes& notes) {
    switch (note) {
    case TNote::Stroke:
        return "矢印の線を鉄筋として数えたかもしれません";
    case TNote::NoDiameter:
        return "符号に径が読めません (鉄筋の符号ではない?)";
    case TNote::FormatCodes:
        return "符号に文字の書式コードが残っています";
    case TNote::CountPrefix:
        return "符号の本数 " + std::to_string(notes.LabelCount) + " と数えた鉄筋 " +
               std::to_string(notes.Found) + " 本が合いません";
    case TNote::Layers:
        break;
    }
    return "鉄筋が違う画層にあります";
}

std::string NoteCodes(const TLabelNotes& notes) {
    std::string codes;
    for (const TNote note : notes.Notes) {
        if (!codes.empty()) {
            codes += ' ';
        }
        codes += NoteCode(note);
    }
    return codes;
}

std::vector<std::string> DrawingNoteLines(const TDrawing& drawing) {
    std::vector<std::string> lines;
    if (drawing.BlockReferences > 0) {
        lines.push_back("警告: ブロック参照が " + std::to_string(drawing.BlockReferences) +
                        " 個あります。ブロックの中の符号や鉄筋は数えていません");
    }
    if (drawing.LeaderObjects > 0) {
        lines.push_back("警告: 引出線オブジェクト (LEADER/MULTILEADER) が " +
                        std::to_string(drawing.LeaderObjects) +
                        " 個あります。線分で描いた引出線だけをたどります");
    }
    return lines;
}

} // namespace kolvo
