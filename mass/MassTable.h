// The bar mass table: count, total length and mass per diameter, from the bars of a tally.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "BarDiameter.h"
#include "ExactSum.h"
#include "UnitMass.h"

namespace kolvo {

// One bar: its label as the reports write it and its exact length in drawing units.
struct TMassBar {
    std::string_view Label;
    double Length = 0;
};

// One line of the table.
struct TMassLine {
    TBarDiameter Diameter;           // Unknown on the line of bars without a diameter
    const TUnitMass* Unit = nullptr; // null on that line and on the total
    std::int64_t Count = 0;
    double LengthMm = 0;          // exact total length, in mm
    std::optional<double> MassMg; // unit mass times that length, in mg; none for unknown
};

class TMassTable {
public:
    // `MmPerUnit`: how many millimetres one drawing unit is; a positive finite number.
    explicit TMassTable(double MmPerUnit = 1);

    // Counts `Count` bars of `Length` (one line drawn for several bars, as "4-D25" on one line).
    // The result does not depend on the order in which bars are added.
    void Add(std::string_view Label, double Length, std::int32_t Count = 1);

    // Deformed bars by size, round bars by size, then the unknown line if any bar is unknown.
    std::vector<TMassLine> Lines() const;
    // Over every bar; its mass is the exact total over the known diameters.
    TMassLine Total() const;

    // The table's fields as the file writes them (CP932): the header, the lines, the total.
    std::vector<std::vector<std::string>> Rows() const;
    // The whole file: CP932, CR LF, the rows' fields joined by commas.
    std::string FileText() const;

private:
    struct TSlot {
        std::int64_t Count = 0;
        TExactSum Length; // drawing units
    };
    double mmPerUnit_;
    // One slot per entry of the unit-mass table, in its order, and one for unknown labels.
    std::vector<TSlot> slots_;
    TExactSum allLength_; // every bar: the total is not a sum of the lines' rounded sums
};

TMassTable BuildMassTable(std::span<const TMassBar> Bars, double MmPerUnit = 1);

// The value of a --mm-per-unit argument: a positive finite decimal number written whole
// ("1", "0.5", "1e3"), or nothing.
std::optional<double> ParseMmPerUnit(std::string_view Text);

} // namespace kolvo
