#include "MassTable.h"

#include <charconv>
#include <cmath>

#include "DecimalFormat.h"

namespace kolvo {

namespace {

std::string DiameterName(const TBarDiameter& Diameter) {
    if (Diameter.Kind == TBarKind::Unknown) {
        return "不明";
    }
    // Appended, not concatenated: GCC 12 warns falsely on a literal + std::string temporary.
    std::string name = Diameter.Kind == TBarKind::Deformed ? "D" : "\x83\xD3"; // φ
    name += std::to_string(Diameter.Size);
    return name;
}

// mm to m, mg to kg: the quantities are held in small units so that the rounding of the file is
// decided on their exact values.
std::string Metres(double Mm) {
    return FormatScaled(Mm, 3, 3);
}
std::string Kilograms(double Mg) {
    return FormatScaled(Mg, 6, 2);
}

} // namespace

TMassTable::TMassTable(double MmPerUnit) : mmPerUnit_(MmPerUnit), slots_(UnitMasses().size() + 1) {}

void TMassTable::Add(std::string_view Label, double Length, std::int32_t Count) {
    const TUnitMass* unit = FindUnitMass(ReadBarDiameter(Label));
    TSlot& slot = slots_[unit != nullptr ? unit - UnitMasses().data() : UnitMasses().size()];
    slot.Count += Count;
    // Added as often as there are bars, so that the sums stay exact.
    for (std::int32_t i = 0; i < Count; ++i) {
        slot.Length.Add(Length);
        allLength_.Add(Length);
    }
}

std::vector<TMassLine> TMassTable::Lines() const {
    std::vector<TMassLine> lines;
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        const TSlot& slot = slots_[i];
        if (slot.Count == 0) {
            continue;
        }
        TMassLine line;
        line.Count = slot.Count;
        line.LengthMm = slot.Length.Value() * mmPerUnit_;
        if (i < UnitMasses().size()) {
            line.Unit = &UnitMasses()[i];
            line.Diameter = line.Unit->Diameter;
            // mm times g/m is mg.
            line.MassMg = line.LengthMm * line.Unit->GramsPerMetre;
        }
        lines.push_back(line);
    }
    return lines;
}

TMassLine TMassTable::Total() const {
    TExactSum mass;
    TMassLine total;
    for (const TSlot& slot : slots_) {
        total.Count += slot.Count;
    }
    for (const TMassLine& line : Lines()) {
        if (line.MassMg) {
            mass.Add(*line.MassMg);
        }
    }
    total.LengthMm = allLength_.Value() * mmPerUnit_;
    total.MassMg = mass.Value();
    return total;
}

std::vector<std::vector<std::string>> TMassTable::Rows() const {
    std::vector<std::vector<std::string>> rows = {
        {"径", "本数", "総延長(m)", "単位質量(kg/m)", "質量(kg)"}};
    for (const TMassLine& line : Lines()) {
        const bool known = line.Unit != nullptr;
        rows.push_back({DiameterName(line.Diameter), std::to_string(line.Count),
                        Metres(line.LengthMm), known ? std::string(line.Unit->Text) : "",
                        known ? Kilograms(*line.MassMg) : ""});
    }
    const TMassLine total = Total();
    rows.push_back({"合計", std::to_string(total.Count), Metres(total.LengthMm), "",
                    Kilograms(*total.MassMg)});
    return rows;
}

std::string TMassTable::FileText() const {
    std::string text;
    for (const std::vector<std::string>& row : Rows()) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            text += (i > 0 ? "," : "") + row[i];
        }
        text += "\r\n";
    }
    return text;
}

TMassTable BuildMassTable(std::span<const TMassBar> Bars, double MmPerUnit) {
    TMassTable table(MmPerUnit);
    for (const TMassBar& bar : Bars) {
        table.Add(bar.Label, bar.Length);
    }
    return table;
}

std::optional<double> ParseMmPerUnit(std::string_view Text) {
    double value = 0;
    const auto [end, error] =
        std::from_chars(Text.data(), Text.data() + Text.size(), value, std::chars_format::general);
    if (Text.empty() || error != std::errc() || end != Text.data() + Text.size() ||
        !std::isfinite(value) || !(value > 0)) {
        return std::nullopt;
    }
    return value;
}

} // namespace kolvo
