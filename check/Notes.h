// Doubts made visible: notes on the label circles and on the whole drawing where a result may be
// wrong although the trace went as its rules say (an arrow's stroke counted as a bar, a grid
// bubble taken for a label, a label that stands for more bars than were drawn, ...). They change
// no result; they say where a person should look.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Analysis.h"

namespace kolvo {

// In the order the check list writes them.
enum class TNote : std::uint8_t {
    Stroke,      // STROKE: a bar found at a tip has an end at the tip: one of the arrow's strokes
    NoDiameter,  // NO_DIAMETER: the label names no diameter the mass table knows
    FormatCodes, // FORMAT_CODES: the label keeps formatting codes of the host's text editor
    CountPrefix, // COUNT_PREFIX: the label's count of bars is neither 1 nor the bars found
    Layers,      // LAYERS: the circle's bars lie on more than one layer
};

struct TLabelNotes {
    std::vector<TNote> Notes;
    std::int32_t LabelCount = 0; // the count the label begins with (ReadLabelCount), or 0
    std::int32_t Found = 0;      // the bars the circle found, one for each probe that found one

    bool Has(TNote note) const;
    // Every note but NO_DIAMETER: what a label that is a bar label has to answer for.
    bool HasDoubt() const;
    // How many bars each line the circle found stands for: the label's count when it found one
    // line, else one.
    std::int32_t BarsPerLine() const;
};

// The notes of each label circle of an analysis that kept everything of its trace, in the order
// of its trace record.
std::vector<TLabelNotes> LabelNotes(const TAnalysis& analysis);

// "STROKE", "NO_DIAMETER", "FORMAT_CODES", "COUNT_PREFIX", "LAYERS".
std::string_view NoteCode(TNote note);
// The note for a person (CP932), with the counts of COUNT_PREFIX filled in.
std::string NoteText(TNote note, const TLabelNotes& notes);
// The codes separated by one space; empty without notes.
std::string NoteCodes(const TLabelNotes& notes);

// Whether a label keeps formatting codes: "{" or "}", or a backslash (not the second byte of a
// double-byte character) before an ASCII letter other than U and M (the \U+ and \M+ escapes).
bool HasFormatCodes(std::string_view label);

// What needs a look after a run, as the quantity run's warning and the project's page count it.
struct TLookCounts {
    // Label circles that are not OK and whose label names a diameter: a circle noted
    // NO_DIAMETER that yields nothing is a grid bubble or a circled number, no bar label.
    std::int32_t Uncounted = 0;
    std::int32_t Doubles = 0; // distinct bar lines tallied more than once
    // Label circles with a note other than NO_DIAMETER, and one for each note of the drawing.
    std::int32_t Notes = 0;

    bool Any() const { return Uncounted > 0 || Doubles > 0 || Notes > 0; }
};
TLookCounts NeedsALook(const TAnalysis& analysis);

// The notes of the whole drawing (CP932 lines): block references and leader objects that the
// analysis does not read.
std::vector<std::string> DrawingNoteLines(const TDrawing& drawing);

} // namespace kolvo
