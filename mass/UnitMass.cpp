#include "UnitMass.h"

#include <array>

namespace kolvo {

namespace {

constexpr TUnitMass D(int size, std::string_view text, int grams) {
    return {{TBarKind::Deformed, size}, text, grams};
}
constexpr TUnitMass R(int size, std::string_view text, int grams) {
    return {{TBarKind::Round, size}, text, grams};
}

constexpr std::array kUnitMasses = {
    D(6, "0.249", 249),   D(10, "0.560", 560), D(13, "0.995", 995), D(16, "1.56", 1560),
    D(19, "2.25", 2250),  D(22, "3.04", 3040), D(25, "3.98", 3980), D(29, "5.04", 5040),
    D(32, "6.23", 6230),  D(35, "7.51", 7510), D(38, "8.95", 8950), D(41, "10.5", 10500),
    D(51, "15.9", 15900), R(6, "0.222", 222),  R(9, "0.499", 499),  R(13, "1.04", 1040),
    R(16, "1.58", 1580),  R(19, "2.23", 2230), R(22, "2.98", 2980), R(25, "3.85", 3850),
    R(28, "4.83", 4830),  R(32, "6.31", 6310),
};

} // namespace

std::span<const TUnitMass> UnitMasses() {
    return kUnitMasses;
}

const TUnitMass* FindUnitMass(const TBarDiameter& Diameter) {
    for (const TUnitMass& entry : kUnitMasses) {
        if (entry.Diameter == Diameter) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace kolvo
