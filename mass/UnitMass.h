// Nominal unit masses of reinforcing bars, JIS G 3112 (deformed bars SD, round bars SR).
#pragma once

#include <span>
#include <string_view>

#include "BarDiameter.h"

namespace kolvo {

struct TUnitMass {
    TBarDiameter Diameter;
    std::string_view Text; // as the standard prints it and the mass table writes it: "0.560"
    int GramsPerMetre;     // the same value exactly: 560
    double KgPerMetre() const { return GramsPerMetre / 1000.0; }
};

// Every bar with a unit mass: deformed bars by size, then round bars by size.
std::span<const TUnitMass> UnitMasses();

// The unit mass of `Diameter`, or null when the table has none.
const TUnitMass* FindUnitMass(const TBarDiameter& Diameter);

} // namespace kolvo
