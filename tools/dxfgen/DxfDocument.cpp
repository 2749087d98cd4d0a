#include "DxfDocument.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <memory>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "CodePages.h"
#include "TextCodec.h"

namespace kolvo::dxfgen {

namespace {

// Handles of the objects every file has; entities and table entries are numbered from 0x100.
constexpr std::uint32_t BlockRecordTable = 0x1;
constexpr std::uint32_t LayerTable = 0x2;
constexpr std::uint32_t StyleTable = 0x3;
constexpr std::uint32_t LineTypeTable = 0x5;
constexpr std::uint32_t ViewTable = 0x6;
constexpr std::uint32_t UcsTable = 0x7;
constexpr std::uint32_t VportTable = 0x8;
constexpr std::uint32_t AppIdTable = 0x9;
constexpr std::uint32_t DimStyleTable = 0xA;
constexpr std::uint32_t NamedObjects = 0xC;
constexpr std::uint32_t GroupDictionary = 0xD;
constexpr std::uint32_t PaperSpaceRecord = 0x1B;
constexpr std::uint32_t ModelSpaceRecord = 0x1F;
constexpr std::uint32_t ModelSpaceBlock = 0x20;
constexpr std::uint32_t ModelSpaceBlockEnd = 0x21;
constexpr std::uint32_t PaperSpaceBlock = 0x1C;
constexpr std::uint32_t PaperSpaceBlockEnd = 0x1D;
constexpr std::uint32_t StandardStyle = 0x11;
constexpr std::uint32_t AcadAppId = 0x12;
constexpr std::uint32_t StandardDimStyle = 0x27;

const char* const Eol = "\r\n";

void Code(std::string& out, int code) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%3d", code);
    out += buf;
    out += Eol;
}

void Str(std::string& out, int code, std::string_view value) {
    Code(out, code);
    out += value;
    out += Eol;
}

void Real(std::string& out, int code, double value) {
    Code(out, code);
    out += FormatReal(value);
    out += Eol;
}

// 16-bit integers right-aligned in six columns, 32-bit ones (groups 90-99) in nine.
void Int(std::string& out, int code, int value) {
    Code(out, code);
    char buf[32];
    std::snprintf(buf, sizeof buf, code >= 90 && code <= 99 ? "%9d" : "%6d", value);
    out += buf;
    out += Eol;
}

void Handle(std::string& out, int code, std::uint32_t handle) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%X", static_cast<unsigned>(handle));
    Str(out, code, buf);
}

void Point3(std::string& out, int code, Point p) {
    Real(out, code, p.X);
    Real(out, code + 10, p.Y);
    Real(out, code + 20, 0.0);
}

void TableHead(std::string& out, std::string_view name, std::uint32_t handle, int count) {
    Str(out, 0, "TABLE");
    Str(out, 2, name);
    Handle(out, 5, handle);
    Handle(out, 330, 0);
    Str(out, 100, "AcDbSymbolTable");
    Int(out, 70, count);
}

void RecordHead(std::string& out, std::string_view type, std::uint32_t handle, std::uint32_t table,
                std::string_view subclass) {
    Str(out, 0, type);
    Handle(out, 5, handle);
    Handle(out, 330, table);
    Str(out, 100, "AcDbSymbolTableRecord");
    Str(out, 100, subclass);
}

// Length in bytes of the longest CP932 prefix of at most `max` bytes that ends on a character
// boundary.
std::size_t CutLength(std::string_view text, std::size_t max) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        const std::size_t width = ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) ? 2 : 1;
        if (i + width > max) {
            break;
        }
        i += width;
    }
    return i < text.size() ? i : text.size();
}

} // namespace

std::string FormatReal(double value) {
    if (value == 0) {
        return "0.0"; // never "-0.0"
    }
    char buf[512]; // room for the longest fixed form a double has (about 330 characters)
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (res.ec != std::errc{}) {
        res = std::to_chars(buf, buf + sizeof buf, value); // infinities and NaN
    }
    std::string text(buf, res.ptr);
    if (text.find('.') == std::string::npos) {
        text += ".0";
    }
    return text;
}

DxfDocument::DxfDocument() {
    lineTypes_.push_back({"ByBlock", "", {}});
    lineTypes_.push_back({"ByLayer", "", {}});
    lineTypes_.push_back({"Continuous", "Solid line", {}});
    layers_.push_back({"0", 7, "Continuous"});
}

void DxfDocument::AddLineType(std::string_view name, std::string_view description,
                              const std::vector<double>& pattern) {
    lineTypes_.push_back({std::string(name), std::string(description), pattern});
}

void DxfDocument::AddLayer(std::string_view name, int color, std::string_view lineType) {
    layers_.push_back({std::string(name), color, std::string(lineType)});
}

void DxfDocument::AddTextStyle(std::string_view name, double fixedHeight, std::string_view font,
                               std::string_view bigFont) {
    styles_.push_back({std::string(name), fixedHeight, std::string(font), std::string(bigFont)});
}

void DxfDocument::BeginBlock(std::string_view name, Point base) {
    if (inBlock_) {
        throw std::logic_error("block definitions do not nest");
    }
    BlockDef block{std::string(name), base, NewHandle(), NewHandle(), NewHandle(), {}};
    blocks_.push_back(std::move(block));
    inBlock_ = true;
}

void DxfDocument::EndBlock() {
    inBlock_ = false;
}

std::string& DxfDocument::Out() {
    return inBlock_ ? blocks_.back().Body : entities_;
}

std::uint32_t DxfDocument::OwnerHandle() const {
    return inBlock_ ? blocks_.back().RecordHandle : ModelSpaceRecord;
}

void DxfDocument::EntityHead(std::string_view type, const Pen& pen) {
    std::string& out = Out();
    Str(out, 0, type);
    Handle(out, 5, NewHandle());
    Handle(out, 330, OwnerHandle());
    Str(out, 100, "AcDbEntity");
    Str(out, 8, pen.Layer);
    if (!pen.LineType.empty()) {
        Str(out, 6, pen.LineType);
    }
    if (pen.Color != 256) {
        Int(out, 62, pen.Color);
    }
}

void DxfDocument::Line(const Pen& pen, Point from, Point to) {
    EntityHead("LINE", pen);
    std::string& out = Out();
    Str(out, 100, "AcDbLine");
    Point3(out, 10, from);
    Point3(out, 11, to);
}

void DxfDocument::Circle(const Pen& pen, Point centre, double radius) {
    EntityHead("CIRCLE", pen);
    std::string& out = Out();
    Str(out, 100, "AcDbCircle");
    Point3(out, 10, centre);
    Real(out, 40, radius);
}

void DxfDocument::Arc(const Pen& pen, Point centre, double radius, double startDegrees,
                      double endDegrees) {
    EntityHead("ARC", pen);
    std::string& out = Out();
    Str(out, 100, "AcDbCircle");
    Point3(out, 10, centre);
    Real(out, 40, radius);
    Str(out, 100, "AcDbArc");
    Real(out, 50, startDegrees);
    Real(out, 51, endDegrees);
}

void DxfDocument::Text(const Pen& pen, Point insert, double height, std::string_view content,
                       std::string_view style, TextJustify justify, Point alignPoint) {
    EntityHead("TEXT", pen);
    std::string& out = Out();
    Str(out, 100, "AcDbText");
    Point3(out, 10, insert);
    Real(out, 40, height);
    Str(out, 1, content);
    if (style != "Standard") {
        Str(out, 7, style);
    }
    if (justify.Horizontal != 0) {
        Int(out, 72, justify.Horizontal);
    }
    if (justify.Horizontal != 0 || justify.Vertical != 0) {
        Point3(out, 11, alignPoint);
    }
    Str(out, 100, "AcDbText");
    if (justify.Vertical != 0) {
        Int(out, 73, justify.Vertical);
    }
}

void DxfDocument::MText(const Pen& pen, Point insert, double height, std::string_view content,
                        std::string_view style, int attachment) {
    EntityHead("MTEXT", pen);
    std::string& out = Out();
    Str(out, 100, "AcDbMText");
    Point3(out, 10, insert);
    Real(out, 40, height);
    Real(out, 41, 0.0);
    Int(out, 71, attachment);
    Int(out, 72, 5); // drawing direction: by style
    while (content.size() > 250) {
        const std::size_t part = CutLength(content, 250);
        Str(out, 3, content.substr(0, part));
        content.remove_prefix(part);
    }
    Str(out, 1, content);
    Str(out, 7, style);
    Int(out, 73, 1);
    Real(out, 44, 1.0);
}

void DxfDocument::LwPolyline(const Pen& pen, const std::vector<Point>& vertices, bool closed) {
    EntityHead("LWPOLYLINE", pen);
    std::string& out = Out();
    Str(out, 100, "AcDbPolyline");
    Int(out, 90, static_cast<int>(vertices.size()));
    Int(out, 70, closed ? 1 : 0);
    Real(out, 43, 0.0);
    for (const Point& v : vertices) {
        Real(out, 10, v.X);
        Real(out, 20, v.Y);
    }
}

void DxfDocument::Polyline(const Pen& pen, const std::vector<Point>& vertices, int flags) {
    EntityHead("POLYLINE", pen);
    std::string& out = Out();
    Str(out, 100, "AcDb2dPolyline");
    Int(out, 66, 1);
    Point3(out, 10, Point{});
    Int(out, 70, flags);
    for (const Point& v : vertices) {
        EntityHead("VERTEX", pen);
        Str(out, 100, "AcDbVertex");
        Str(out, 100, "AcDb2dVertex");
        Point3(out, 10, v);
    }
    EntityHead("SEQEND", pen);
}

void DxfDocument::Insert(const Pen& pen, std::string_view block, Point at) {
    EntityHead("INSERT", pen);
    std::string& out = Out();
    Str(out, 100, "AcDbBlockReference");
    Str(out, 2, block);
    Point3(out, 10, at);
}

void DxfDocument::Leader(const Pen& pen, const std::vector<Point>& vertices) {
    EntityHead("LEADER", pen);
    std::string& out = Out();
    Str(out, 100, "AcDbLeader");
    Str(out, 3, "Standard");
    Int(out, 71, 1); // with an arrowhead
    Int(out, 76, static_cast<int>(vertices.size()));
    for (const Point& vertex : vertices) {
        Point3(out, 10, vertex);
    }
}

void DxfDocument::MultiLeader(const Pen& pen, Point arrowHead, Point landing) {
    EntityHead("MULTILEADER", pen);
    std::string& out = Out();
    Str(out, 100, "AcDbMLeader");
    Str(out, 300, "CONTEXT_DATA{");
    Str(out, 302, "LEADER{");
    Str(out, 304, "LEADER_LINE{");
    Point3(out, 10, arrowHead);
    Str(out, 305, "}");
    Point3(out, 10, landing);
    Str(out, 303, "}");
    Str(out, 301, "}");
}

std::string DxfDocument::Finish() const {
    return FinishWith("AC1015", "ANSI_932");
}

std::string DxfDocument::FinishAs(std::string_view version, std::string_view codePage) const {
    const std::string cp932 = FinishWith(version, codePage);
    const std::u16string text = DecodeUnicodeEscapes(Cp932ToUtf16(cp932));
    const bool utf8 = version >= std::string_view("AC1021");
    if (utf8) {
        return Utf16ToUtf8(text);
    }
    if (codePage == "ANSI_932") {
        return cp932;
    }
    unsigned number = 0;
    std::from_chars(codePage.data() + std::min<std::size_t>(5, codePage.size()),
                    codePage.data() + codePage.size(), number);
    const std::optional<std::string> bytes = Utf16ToCodePage(text, number);
    if (!bytes) {
        throw std::runtime_error("cannot write the code page " + std::string(codePage));
    }
    return *bytes;
}

std::string DxfDocument::FinishWith(std::string_view version, std::string_view codePage) const {
    if (inBlock_) {
        throw std::logic_error("a block definition is still open");
    }
    std::uint32_t handle = nextHandle_;
    std::string out;
    out.reserve(entities_.size() + 16384);

    // Handles of the table entries follow those of the entities.
    std::vector<std::uint32_t> lineTypeHandles, layerHandles, styleHandles;
    for (std::size_t i = 0; i < lineTypes_.size(); ++i) {
        lineTypeHandles.push_back(handle++);
    }
    for (std::size_t i = 0; i < layers_.size(); ++i) {
        layerHandles.push_back(handle++);
    }
    for (std::size_t i = 0; i < styles_.size(); ++i) {
        styleHandles.push_back(handle++);
    }

    Str(out, 0, "SECTION");
    Str(out, 2, "HEADER");
    Str(out, 9, "$ACADVER");
    Str(out, 1, version);
    Str(out, 9, "$ACADMAINTVER");
    Int(out, 70, 6);
    Str(out, 9, "$DWGCODEPAGE");
    Str(out, 3, codePage);
    Str(out, 9, "$INSBASE");
    Point3(out, 10, Point{});
    Str(out, 9, "$LTSCALE");
    Real(out, 40, 1.0);
    Str(out, 9, "$TEXTSTYLE");
    Str(out, 7, "Standard");
    Str(out, 9, "$CLAYER");
    Str(out, 8, "0");
    Str(out, 9, "$DIMSTYLE");
    Str(out, 2, "Standard");
    Str(out, 9, "$LUNITS");
    Int(out, 70, 2);
    Str(out, 9, "$LUPREC");
    Int(out, 70, 4);
    Str(out, 9, "$HANDSEED");
    Handle(out, 5, handle + 1);
    Str(out, 0, "ENDSEC");

    Str(out, 0, "SECTION");
    Str(out, 2, "CLASSES");
    Str(out, 0, "ENDSEC");

    Str(out, 0, "SECTION");
    Str(out, 2, "TABLES");

    TableHead(out, "VPORT", VportTable, 1);
    RecordHead(out, "VPORT", handle++, VportTable, "AcDbViewportTableRecord");
    Str(out, 2, "*Active");
    Int(out, 70, 0);
    Real(out, 10, 0.0);
    Real(out, 20, 0.0);
    Real(out, 11, 1.0);
    Real(out, 21, 1.0);
    Real(out, 40, 10000.0);
    Real(out, 41, 1.6);
    Str(out, 0, "ENDTAB");

    TableHead(out, "LTYPE", LineTypeTable, static_cast<int>(lineTypes_.size()));
    for (std::size_t i = 0; i < lineTypes_.size(); ++i) {
        const LineTypeDef& lt = lineTypes_[i];
        RecordHead(out, "LTYPE", lineTypeHandles[i], LineTypeTable, "AcDbLinetypeTableRecord");
        Str(out, 2, lt.Name);
        Int(out, 70, 0);
        Str(out, 3, lt.Description);
        Int(out, 72, 65);
        Int(out, 73, static_cast<int>(lt.Pattern.size()));
        double total = 0;
        for (double d : lt.Pattern) {
            total += d < 0 ? -d : d;
        }
        Real(out, 40, total);
        for (double d : lt.Pattern) {
            Real(out, 49, d);
            Int(out, 74, 0);
        }
    }
    Str(out, 0, "ENDTAB");

    TableHead(out, "LAYER", LayerTable, static_cast<int>(layers_.size()));
    for (std::size_t i = 0; i < layers_.size(); ++i) {
        const LayerDef& layer = layers_[i];
        RecordHead(out, "LAYER", layerHandles[i], LayerTable, "AcDbLayerTableRecord");
        Str(out, 2, layer.Name);
        Int(out, 70, 0);
        Int(out, 62, layer.Color);
        Str(out, 6, layer.LineType);
        Int(out, 370, -3);
    }
    Str(out, 0, "ENDTAB");

    TableHead(out, "STYLE", StyleTable, static_cast<int>(styles_.size()) + 1);
    RecordHead(out, "STYLE", StandardStyle, StyleTable, "AcDbTextStyleTableRecord");
    Str(out, 2, "Standard");
    Int(out, 70, 0);
    Real(out, 40, 0.0);
    Real(out, 41, 1.0);
    Real(out, 50, 0.0);
    Int(out, 71, 0);
    Real(out, 42, 2.5);
    Str(out, 3, "txt");
    Str(out, 4, "bigfont.shx");
    for (std::size_t i = 0; i < styles_.size(); ++i) {
        const StyleDef& style = styles_[i];
        RecordHead(out, "STYLE", styleHandles[i], StyleTable, "AcDbTextStyleTableRecord");
        Str(out, 2, style.Name);
        Int(out, 70, 0);
        Real(out, 40, style.Height);
        Real(out, 41, 1.0);
        Real(out, 50, 0.0);
        Int(out, 71, 0);
        Real(out, 42, style.Height > 0 ? style.Height : 2.5);
        Str(out, 3, style.Font);
        Str(out, 4, style.BigFont);
    }
    Str(out, 0, "ENDTAB");

    TableHead(out, "VIEW", ViewTable, 0);
    Str(out, 0, "ENDTAB");
    TableHead(out, "UCS", UcsTable, 0);
    Str(out, 0, "ENDTAB");

    TableHead(out, "APPID", AppIdTable, 1);
    RecordHead(out, "APPID", AcadAppId, AppIdTable, "AcDbRegAppTableRecord");
    Str(out, 2, "ACAD");
    Int(out, 70, 0);
    Str(out, 0, "ENDTAB");

    TableHead(out, "DIMSTYLE", DimStyleTable, 1);
    Str(out, 100, "AcDbDimStyleTable");
    Str(out, 0, "DIMSTYLE");
    Handle(out, 105, StandardDimStyle);
    Handle(out, 330, DimStyleTable);
    Str(out, 100, "AcDbSymbolTableRecord");
    Str(out, 100, "AcDbDimStyleTableRecord");
    Str(out, 2, "Standard");
    Int(out, 70, 0);
    Real(out, 40, 1.0);
    Real(out, 140, 2.5);
    Handle(out, 340, StandardStyle);
    Str(out, 0, "ENDTAB");

    TableHead(out, "BLOCK_RECORD", BlockRecordTable, static_cast<int>(blocks_.size()) + 2);
    RecordHead(out, "BLOCK_RECORD", ModelSpaceRecord, BlockRecordTable, "AcDbBlockTableRecord");
    Str(out, 2, "*Model_Space");
    RecordHead(out, "BLOCK_RECORD", PaperSpaceRecord, BlockRecordTable, "AcDbBlockTableRecord");
    Str(out, 2, "*Paper_Space");
    for (const BlockDef& block : blocks_) {
        RecordHead(out, "BLOCK_RECORD", block.RecordHandle, BlockRecordTable,
                   "AcDbBlockTableRecord");
        Str(out, 2, block.Name);
    }
    Str(out, 0, "ENDTAB");
    Str(out, 0, "ENDSEC");

    Str(out, 0, "SECTION");
    Str(out, 2, "BLOCKS");
    auto blockBegin = [&out](std::uint32_t h, std::uint32_t owner, std::string_view name,
                             Point base, bool paper) {
        Str(out, 0, "BLOCK");
        Handle(out, 5, h);
        Handle(out, 330, owner);
        Str(out, 100, "AcDbEntity");
        if (paper) {
            Int(out, 67, 1);
        }
        Str(out, 8, "0");
        Str(out, 100, "AcDbBlockBegin");
        Str(out, 2, name);
        Int(out, 70, 0);
        Point3(out, 10, base);
        Str(out, 3, name);
        Str(out, 1, "");
    };
    auto blockEnd = [&out](std::uint32_t h, std::uint32_t owner, bool paper) {
        Str(out, 0, "ENDBLK");
        Handle(out, 5, h);
        Handle(out, 330, owner);
        Str(out, 100, "AcDbEntity");
        if (paper) {
            Int(out, 67, 1);
        }
        Str(out, 8, "0");
        Str(out, 100, "AcDbBlockEnd");
    };
    blockBegin(ModelSpaceBlock, ModelSpaceRecord, "*Model_Space", Point{}, false);
    blockEnd(ModelSpaceBlockEnd, ModelSpaceRecord, false);
    blockBegin(PaperSpaceBlock, PaperSpaceRecord, "*Paper_Space", Point{}, true);
    blockEnd(PaperSpaceBlockEnd, PaperSpaceRecord, true);
    for (const BlockDef& block : blocks_) {
        blockBegin(block.BeginHandle, block.RecordHandle, block.Name, block.Base, false);
        out += block.Body;
        blockEnd(block.EndHandle, block.RecordHandle, false);
    }
    Str(out, 0, "ENDSEC");

    Str(out, 0, "SECTION");
    Str(out, 2, "ENTITIES");
    out += entities_;
    Str(out, 0, "ENDSEC");

    Str(out, 0, "SECTION");
    Str(out, 2, "OBJECTS");
    Str(out, 0, "DICTIONARY");
    Handle(out, 5, NamedObjects);
    Handle(out, 330, 0);
    Str(out, 100, "AcDbDictionary");
    Int(out, 281, 1);
    Str(out, 3, "ACAD_GROUP");
    Handle(out, 350, GroupDictionary);
    Str(out, 0, "DICTIONARY");
    Handle(out, 5, GroupDictionary);
    Handle(out, 330, NamedObjects);
    Str(out, 100, "AcDbDictionary");
    Int(out, 281, 1);
    Str(out, 0, "ENDSEC");
    Str(out, 0, "EOF");
    return out;
}

void DxfDocument::WriteFile(const std::string& path) const {
    WriteBytes(path, Finish());
}

void DxfDocument::WriteFileAs(const std::string& path, std::string_view version,
                              std::string_view codePage) const {
    WriteBytes(path, FinishAs(version, codePage));
}

void DxfDocument::WriteBytes(const std::string& path, const std::string& text) {
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        throw std::runtime_error("cannot create " + path);
    }
    if (std::fwrite(text.data(), 1, text.size(), file.get()) != text.size() ||
        std::fclose(file.release()) != 0) {
        throw std::runtime_error("cannot write " + path);
    }
}

} // namespace kolvo::dxfgen
