// The bar diameter that a label names, read from the label text as the reports write it (CP932).
#pragma once

#include <string_view>

namespace kolvo {

enum class TBarKind {
    Unknown,  // no diameter, two different ones, or one without a unit mass
    Deformed, // D, JIS G 3112 SD bars
    Round,    // φ, JIS G 3112 SR bars
};

struct TBarDiameter {
    TBarKind Kind = TBarKind::Unknown;
    int Size = 0; // nominal diameter in mm; 0 when unknown

    friend bool operator==(const TBarDiameter&, const TBarDiameter&) = default;
};

// The one diameter that `Label` names:
// - deformed: "D" or full-width "Ｄ", not preceded by an ASCII letter (SD345 is a steel grade),
//   then one or two digits (ASCII or full-width) not followed by a further digit;
// - round: φ (CP932 0x83 0xD3, as the reader writes the escape \U+03C6) or "%%c" / "%%C", then
//   digits under the same rule.
// Labels naming no diameter, two different ones, or one that has no unit mass are unknown; the
// same diameter named twice ("D13@200D13") is that diameter.
TBarDiameter ReadBarDiameter(std::string_view Label);

// The number of bars a label stands for when it begins with one: one to four digits (ASCII or
// full-width), then "-" or full-width "－", and a number of 2 or more ("4-D25", "２－D22"). 0 for
// a label without such a count ("D13", "1-D10", "D13-4").
int ReadLabelCount(std::string_view Label);

} // namespace kolvo
