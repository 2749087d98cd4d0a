#include "DxfReader.h"

#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <span>
#include <unordered_map>

#include "DrawingModel.h"
#include "DxfNumbers.h"
#include "Errors.h"
#include "LineStops.h"
#include "MTextCodes.h"
#include "TextEncoding.h"

// The reader's careful ways, taken once in thousands of lines, kept out of the hot loop.
#if defined(__GNUC__)
#define KOLVO_RARE [[gnu::noinline]]
#else
#define KOLVO_RARE
#endif

namespace kolvo {

namespace {

// ---------------------------------------------------------------------------------------------
// The file

// Whether a file (not a folder) exists at `path`; its size in `size` as a reading hint.
bool FileExists(const std::string& path, std::size_t& size) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || (info.st_mode & S_IFMT) == S_IFDIR) {
        return false;
    }
    size = info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0;
    return true;
}

[[noreturn]] void ThrowInOutError(int err) {
    // A failed call that left errno unset still failed: report it as a device error.
    throw EInOutError(InOutCodeFromErrno(err != 0 ? err : EIO));
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// ---------------------------------------------------------------------------------------------
// Lines: CR LF, a lone LF and a lone CR each end a line; a break at the very end of the text
// does not start another, empty line; a NUL byte ends the text.
//
// The lines are views into a buffer: text already in memory is read where it stands, and a file
// is read in blocks, so that what the reader holds besides the drawing stays one block (grown
// only for a line longer than a block), never the whole file or a copy per line.

class LineSource {
public:
    // Text in memory, read where it stands.
    explicit LineSource(std::string_view text)
        : next_(text.data()), end_(text.data() + text.size()) {
        stops_.Seat(next_, end_);
    }

    // A file read from its current position in blocks of `blockSize` bytes.
    LineSource(std::FILE* file, std::size_t blockSize) : file_(file), buffer_(blockSize) {
        keep_ = next_ = end_ = buffer_.data();
        Refill();
        stops_.Seat(next_, end_);
    }

    // The text at hand from the current position: at least the first block of a file.
    std::string_view Ahead() const { return {next_, static_cast<std::size_t>(end_ - next_)}; }

    // Passes over the first `bytes` bytes of the text at hand (a byte-order mark).
    void Skip(std::size_t bytes) {
        next_ += std::min(bytes, static_cast<std::size_t>(end_ - next_));
        stops_.Seat(next_, end_);
    }

    // The next group pair: a code line and a value line, which stands before a line break. An odd
    // last line is no pair.
    bool NextPair(std::string_view& code, std::string_view& value) {
        keep_ = next_;
        const char* codeStop = nullptr;
        const char* valueStart = nullptr;
        const char* valueStop = nullptr;
        const char* after = nullptr;
        if (stops_.Take(codeStop, valueStart) && stops_.Take(valueStop, after)) {
            code = std::string_view(next_, static_cast<std::size_t>(codeStop - next_));
            value = std::string_view(valueStart, static_cast<std::size_t>(valueStop - valueStart));
            next_ = after;
            return true;
        }
        // Near the end of a block, at the end of the text or at a NUL, line by line; the value is
        // copied to stand before a line break, as a taken one does.
        const bool paired = NextPairWithCare(code, value);
        if (paired) {
            spare_.assign(value);
            spare_ += '\n';
            value = std::string_view(spare_.data(), value.size());
        }
        stops_.Seat(next_, end_);
        return paired;
    }

private:
    // Kept out of NextPair, so that the common way stays small enough to be inlined.
    KOLVO_RARE bool NextPairWithCare(std::string_view& code, std::string_view& value) {
        if (!Next(code)) {
            return false;
        }
        const std::size_t refills = refills_;
        if (!Next(value)) {
            return false;
        }
        if (refills_ != refills) {
            code = std::string_view(buffer_.data(), code.size()); // moved with its pair
        }
        return true;
    }

    bool Next(std::string_view& line) {
        for (;;) {
            if (next_ == end_ && (file_ == nullptr || atEnd_)) {
                return false;
            }
            const char* stop = next_;
            while (stop != end_ && *stop != '\n' && *stop != '\r' && *stop != '\0') {
                ++stop;
            }
            // A line that runs to the end of the block, or a CR that may be the first half of
            // a CR LF, needs the next block to be known.
            const bool needMore = stop == end_ || (*stop == '\r' && stop + 1 == end_);
            if (needMore && file_ != nullptr && !atEnd_) {
                Refill();
                continue;
            }
            line = std::string_view(next_, static_cast<std::size_t>(stop - next_));
            if (stop == end_) {
                next_ = stop;
            } else if (*stop == '\0') {
                // The text ends here. A NUL where a line would start starts none, as the end of
                // the file would not: a last code line then has no value line, and the drawing
                // reads as cut off instead of as holding an empty number.
                const bool lineBefore = stop != next_;
                next_ = end_;
                atEnd_ = true;
                if (!lineBefore) {
                    return false;
                }
            } else {
                next_ = stop + ((*stop == '\r' && stop + 1 != end_ && stop[1] == '\n') ? 2 : 1);
            }
            return true;
        }
    }

    // Moves the unread part, from the start of the pair being read, to the front (growing the
    // buffer when it fills it) and fills the rest from the file.
    void Refill() {
        const std::size_t kept = static_cast<std::size_t>(end_ - keep_);
        const std::size_t from = static_cast<std::size_t>(keep_ - buffer_.data());
        const std::size_t nextAt = static_cast<std::size_t>(next_ - keep_);
        if (kept == buffer_.size()) {
            buffer_.resize(buffer_.size() * 2); // a pair longer than the buffer
        }
        std::memmove(buffer_.data(), buffer_.data() + from, kept);
        std::size_t filled = kept;
        while (filled < buffer_.size()) {
            const std::size_t got =
                std::fread(buffer_.data() + filled, 1, buffer_.size() - filled, file_);
            filled += got;
            if (got == 0) {
                if (std::ferror(file_)) {
                    ThrowInOutError(errno);
                }
                atEnd_ = true;
                break;
            }
        }
        keep_ = buffer_.data();
        next_ = keep_ + nextAt;
        end_ = buffer_.data() + filled;
        ++refills_;
    }

    std::FILE* file_ = nullptr;
    std::vector<char> buffer_;
    const char* keep_ = nullptr; // the start of the pair being read
    const char* next_ = nullptr;
    const char* end_ = nullptr;
    bool atEnd_ = false;
    std::size_t refills_ = 0;
    LineStops stops_;
    std::string spare_; // a value read line by line
};

// A real value line as LineSource hands it out.
double ReadReal(std::string_view value) {
    double real = 0;
    return TryParseRealBeforeBreak(value, real) ? real : DxfStrToFloat(value);
}

// ---------------------------------------------------------------------------------------------
// Style heights by name. Texts ask for one each (for "Standard", and for every group 7), so
// the reader keeps the first height per name at hand and rebuilds it when a style changes.

class StyleHeights {
public:
    explicit StyleHeights(const TDrawing& drawing) : drawing_(drawing) {}
    void Invalidate() { valid_ = false; }

    double Lookup(std::string_view name) {
        if (drawing_.Styles.Count() <= kScanLimit) {
            return drawing_.StyleHeight(name);
        }
        if (!valid_) {
            heights_.clear();
            for (const TDxfStyle& style : drawing_.Styles) {
                heights_.emplace(style.Name.str(), style.Height); // the first entry wins
            }
            valid_ = true;
        }
        const auto found = heights_.find(std::string(name));
        return found != heights_.end() ? found->second : 0.0;
    }

private:
    static constexpr std::int32_t kScanLimit = 16;
    const TDrawing& drawing_;
    bool valid_ = false;
    std::unordered_map<std::string, double> heights_;
};

// ---------------------------------------------------------------------------------------------
// The pass

enum class OpenKind { None, Line, Text, Arc, Circle, Polyline, Vertex, LwPolyline };

OpenKind KindNamed(std::string_view value) {
    // The kinds in their fixed order; a value names at most one of them.
    if (value == "LINE") {
        return OpenKind::Line;
    }
    if (value == "TEXT" || value == "MTEXT") {
        return OpenKind::Text;
    }
    if (value == "ARC") {
        return OpenKind::Arc;
    }
    if (value == "CIRCLE") {
        return OpenKind::Circle;
    }
    if (value == "POLYLINE") {
        return OpenKind::Polyline;
    }
    if (value == "VERTEX") {
        return OpenKind::Vertex;
    }
    if (value == "LWPOLYLINE") {
        return OpenKind::LwPolyline;
    }
    return OpenKind::None;
}

// ---------------------------------------------------------------------------------------------
// Groups that set one field of a record as they stand: reals converted, texts cut to the field.

template <class Record> struct RealGroup {
    std::int32_t code;
    double Record::*field;
};
template <class Record> struct TextGroup {
    std::int32_t code;
    TPropertyId Record::*field;
};

// The groups of one kind of record, looked up by code: a record has one group in every five or
// six lines of a drawing.
template <class Record> class GroupFields {
public:
    constexpr GroupFields(std::span<const RealGroup<Record>> reals,
                          std::span<const TextGroup<Record>> texts) {
        for (const RealGroup<Record>& group : reals) {
            fields_.at(static_cast<std::size_t>(group.code)).real = group.field;
        }
        for (const TextGroup<Record>& group : texts) {
            fields_.at(static_cast<std::size_t>(group.code)).text = group.field;
        }
    }

    void Fill(Record& record, TPropertyTexts& properties, TDxfTextEncoding& encoding,
              std::int32_t code, std::string_view value) const {
        if (code < 0 || code >= kCodes) {
            return;
        }
        const Field& field = fields_[static_cast<std::size_t>(code)];
        if (field.real != nullptr) {
            record.*field.real = ReadReal(value);
        } else if (field.text != nullptr) {
            record.*field.text = properties.Add(encoding.ToCp932(value));
        }
    }

private:
    static constexpr std::int32_t kCodes = 64; // every code these records keep is below
    struct Field {
        double Record::*real = nullptr;
        TPropertyId Record::*text = nullptr;
    };
    std::array<Field, kCodes> fields_{};
};

constexpr RealGroup<TDxfLine> kLineReals[] = {{10, &TDxfLine::X1}, {20, &TDxfLine::Y1},
                                              {30, &TDxfLine::Z1}, {11, &TDxfLine::X2},
                                              {21, &TDxfLine::Y2}, {31, &TDxfLine::Z2}};
constexpr TextGroup<TDxfLine> kLineTexts[] = {
    {8, &TDxfLine::Layer}, {62, &TDxfLine::Color}, {6, &TDxfLine::LineType}};
constexpr GroupFields<TDxfLine> kLineGroups(kLineReals, kLineTexts);

// A text keeps no layer (group 8); its groups 40 and 7 both set the height, the later one wins.
constexpr RealGroup<TDxfText> kTextReals[] = {
    {10, &TDxfText::X},  {20, &TDxfText::Y},  {30, &TDxfText::Z},     {11, &TDxfText::X2},
    {21, &TDxfText::Y2}, {31, &TDxfText::Z2}, {40, &TDxfText::Height}};
constexpr TextGroup<TDxfText> kTextTexts[] = {{62, &TDxfText::Color}, {6, &TDxfText::LineType}};
constexpr GroupFields<TDxfText> kTextGroups(kTextReals, kTextTexts);

constexpr RealGroup<TDxfArc> kArcReals[] = {{10, &TDxfArc::CX},         {20, &TDxfArc::CY},
                                            {30, &TDxfArc::CZ},         {40, &TDxfArc::Radius},
                                            {50, &TDxfArc::StartAngle}, {51, &TDxfArc::EndAngle}};
constexpr TextGroup<TDxfArc> kArcTexts[] = {
    {8, &TDxfArc::Layer}, {62, &TDxfArc::Color}, {6, &TDxfArc::LineType}};
constexpr GroupFields<TDxfArc> kArcGroups(kArcReals, kArcTexts);

constexpr RealGroup<TDxfCircle> kCircleReals[] = {
    {10, &TDxfCircle::CX}, {20, &TDxfCircle::CY}, {30, &TDxfCircle::CZ}, {40, &TDxfCircle::Radius}};
constexpr TextGroup<TDxfCircle> kCircleTexts[] = {
    {8, &TDxfCircle::Layer}, {62, &TDxfCircle::Color}, {6, &TDxfCircle::LineType}};
constexpr GroupFields<TDxfCircle> kCircleGroups(kCircleReals, kCircleTexts);

// A polyline's own 10/20/30 are not kept; its vertices come from group 10 and 20 (Fill* below).
constexpr TextGroup<TDxfPolyline> kPolylineTexts[] = {
    {8, &TDxfPolyline::Layer}, {62, &TDxfPolyline::Color}, {6, &TDxfPolyline::LineType}};
constexpr GroupFields<TDxfPolyline> kPolylineGroups({}, kPolylineTexts);

class DxfPass {
public:
    explicit DxfPass(TDrawing& drawing) : drawing_(drawing), heights_(drawing) {}

    // Returns whether the pass reached the ENDSEC of the ENTITIES section.
    bool Run(LineSource& lines) {
        std::string_view codeLine;
        std::string_view value;
        // A code line without a value line after it (an odd last line) is not a pair.
        while (lines.NextPair(codeLine, value)) {
            std::int32_t code = 0;
            if (!TryParseGroupCode(codeLine, code)) {
                code = DxfStrToInt(codeLine);
            }
            if (inEntities_ && code == 0 && value == "ENDSEC") {
                return true;
            }
            if (inHeader_) {
                HeaderStep(code, value);
            }
            if (inStyleTable_) {
                StyleStep(code, value);
            }
            if (inEntities_) {
                EntityStep(code, value);
            }
            if (code == 2) {
                if (value == "ENTITIES") {
                    SettleEncoding();
                    inEntities_ = true;
                    inStyleTable_ = false;
                } else if (value == "STYLE") {
                    SettleEncoding();
                    inStyleTable_ = true;
                } else if (value == "HEADER" && !settled_) {
                    inHeader_ = true;
                }
            }
        }
        return false;
    }

    bool SawEntities() const { return inEntities_; }

    // Decides how the texts are encoded, from the header read so far; done once, before the
    // first text is read. A file that begins with a UTF-8 byte-order mark must be UTF-8.
    void SettleEncoding() {
        if (settled_) {
            return;
        }
        settled_ = true;
        inHeader_ = false;
        encoding_ = TDxfTextEncoding::FromHeader(acadVer_, codePage_);
        if (byteOrderMark_ && !encoding_.IsUtf8()) {
            throw EDamagedDrawing(Utf8BomMessage);
        }
    }
    bool SettledUtf8() const { return settled_ && encoding_.IsUtf8(); }
    void SetByteOrderMark() { byteOrderMark_ = true; }
    std::int32_t EscapedCharacters() const { return encoding_.Escaped(); }

private:
    // The header's variables that say how the file's texts are encoded: a code 9 names a
    // variable, and its value follows in the group its kind has.
    void HeaderStep(std::int32_t code, std::string_view value) {
        if (code == 9) {
            variable_ = value;
        } else if (code == 1 && variable_ == "$ACADVER") {
            acadVer_ = value;
        } else if (code == 3 && variable_ == "$DWGCODEPAGE") {
            codePage_ = value;
        } else if (code == 0 && value == "ENDSEC") {
            SettleEncoding();
        }
    }

    // Entities that may hold labels and bars the analysis never sees: they are only counted, so
    // that the person can be told.
    void CountUnread(std::string_view value) {
        if (value == "INSERT") {
            ++drawing_.BlockReferences;
        } else if (value == "LEADER" || value == "MULTILEADER" || value == "MLEADER") {
            ++drawing_.LeaderObjects;
        }
    }

    void StyleStep(std::int32_t code, std::string_view value) {
        if (style_ != nullptr) {
            switch (code) {
            case 0:
                style_ = nullptr;
                break;
            case 2:
                style_->Name = encoding_.ToCp932(value);
                heights_.Invalidate();
                break;
            case 40:
                style_->Height = ReadReal(value);
                heights_.Invalidate();
                break;
            case 62:
                style_->Color = encoding_.ToCp932(value);
                break;
            case 6:
                style_->LineType = encoding_.ToCp932(value);
                break;
            default:
                break;
            }
        }
        if (code == 0 && value == "STYLE") {
            style_ = &drawing_.Styles.Append();
            heights_.Invalidate();
        }
    }

    void EntityStep(std::int32_t code, std::string_view value) {
        if (code == 0) {
            const OpenKind kind = KindNamed(value);
            if (kind == OpenKind::None) {
                CountUnread(value);
            }
            Open(kind);
            return;
        }
        switch (open_) {
        case OpenKind::None:
            break;
        case OpenKind::Line:
            FillLine(code, value);
            break;
        case OpenKind::Text:
            FillText(code, value);
            break;
        case OpenKind::Arc:
            FillArc(code, value);
            break;
        case OpenKind::Circle:
            FillCircle(code, value);
            break;
        case OpenKind::Polyline:
            FillPolyline(code, value);
            break;
        case OpenKind::Vertex:
            FillVertex(code, value);
            break;
        case OpenKind::LwPolyline:
            FillLwPolyline(code, value);
            break;
        }
    }

    // Closes whatever record is open and opens one of `kind`. A record is appended as it opens,
    // so the counts always include a record whose groups stop early.
    void Open(OpenKind kind) {
        open_ = kind;
        switch (kind) {
        case OpenKind::None:
            break;
        case OpenKind::Line:
            line_ = &drawing_.Lines.Append();
            break;
        case OpenKind::Text: {
            const double standardHeight = heights_.Lookup("Standard");
            text_ = &drawing_.Texts.Append();
            text_->Height = standardHeight;
            textHasGroup3_ = false;
            break;
        }
        case OpenKind::Arc:
            arc_ = &drawing_.Arcs.Append();
            break;
        case OpenKind::Circle:
            circle_ = &drawing_.Circles.Append();
            break;
        case OpenKind::Polyline:
        case OpenKind::LwPolyline:
            polyline_ = &drawing_.Polylines.Append();
            break;
        case OpenKind::Vertex:
            // A VERTEX has no record of its own: it adds to the last polyline, if there is one.
            polyline_ = drawing_.Polylines.Count() > 0 ? &drawing_.Polylines.Last() : nullptr;
            break;
        }
    }

    void FillLine(std::int32_t code, std::string_view value) {
        kLineGroups.Fill(*line_, drawing_.Properties, encoding_, code, value);
    }

    void FillText(std::int32_t code, std::string_view value) {
        TDxfText& r = *text_;
        switch (code) {
        case 1: {
            std::string cleaned = StripMTextCodes(encoding_.ToCp932(value));
            ReplaceFirstPhiEscape(cleaned);
            // A long MTEXT comes as group-3 parts followed by its last part in group 1: the
            // label is the whole of it, not only the last part.
            if (textHasGroup3_) {
                r.Content.Append(cleaned);
            } else {
                r.Content = cleaned;
            }
            break;
        }
        case 3:
            r.Content.Append(encoding_.ToCp932(value));
            textHasGroup3_ = true;
            break;
        case 7:
            r.Height = heights_.Lookup(encoding_.ToCp932(value));
            break;
        case 72:
            r.HorzAlign = DxfStrToInt(value);
            break;
        case 73:
            r.VertAlign = DxfStrToInt(value);
            break;
        default:
            kTextGroups.Fill(r, drawing_.Properties, encoding_, code, value);
            break;
        }
    }

    void FillArc(std::int32_t code, std::string_view value) {
        kArcGroups.Fill(*arc_, drawing_.Properties, encoding_, code, value);
    }

    void FillCircle(std::int32_t code, std::string_view value) {
        kCircleGroups.Fill(*circle_, drawing_.Properties, encoding_, code, value);
    }

    void FillPolyline(std::int32_t code, std::string_view value) {
        if (code == 70) {
            polyline_->Flags = DxfStrToInt(value);
        } else {
            kPolylineGroups.Fill(*polyline_, drawing_.Properties, encoding_, code, value);
        }
    }

    // Groups 10 and 20 of a VERTEX or an LWPOLYLINE. A vertex that finds its polyline full is
    // dropped with its y and flags; a y or flags group before the polyline's first vertex, or
    // of a VERTEX that has no polyline to join, has no vertex to go to and is passed over.
    void AddVertex(double x) { vertexDropped_ = !polyline_->AddVertex(x); }
    bool HasCurrentVertex() const {
        return polyline_ != nullptr && !vertexDropped_ && polyline_->VertexCount() > 0;
    }

    void FillVertex(std::int32_t code, std::string_view value) {
        switch (code) {
        case 10: {
            const double x = ReadReal(value);
            if (polyline_ != nullptr) {
                AddVertex(x);
            }
            break;
        }
        case 20: {
            const double y = ReadReal(value);
            if (HasCurrentVertex()) {
                polyline_->Vertex(polyline_->VertexCount()).Y = y;
            }
            break;
        }
        case 70: {
            const std::int32_t flags = DxfStrToInt(value);
            if (HasCurrentVertex()) {
                polyline_->VertexFlags(polyline_->VertexCount()) = flags;
            }
            break;
        }
        default:
            break;
        }
    }

    void FillLwPolyline(std::int32_t code, std::string_view value) {
        TDxfPolyline& r = *polyline_;
        switch (code) {
        case 10:
            AddVertex(ReadReal(value));
            break;
        case 20: {
            const double y = ReadReal(value);
            if (HasCurrentVertex()) {
                r.Vertex(r.VertexCount()).Y = y;
            }
            break;
        }
        default:
            kPolylineGroups.Fill(r, drawing_.Properties, encoding_, code, value);
            break;
        }
    }

    bool inStyleTable_ = false;
    TDrawing& drawing_;
    bool inEntities_ = false;
    OpenKind open_ = OpenKind::None;

    // The open records. Each is the last of its table and stays valid until its table grows
    // again, which only opening the next record of that kind does.
    TDxfStyle* style_ = nullptr;
    TDxfLine* line_ = nullptr;
    TDxfText* text_ = nullptr;
    TDxfArc* arc_ = nullptr;
    TDxfCircle* circle_ = nullptr;
    TDxfPolyline* polyline_ = nullptr;

    bool textHasGroup3_ = false;
    bool vertexDropped_ = false;
    StyleHeights heights_;

    bool inHeader_ = false;
    bool settled_ = false;
    bool byteOrderMark_ = false;
    std::string variable_, acadVer_, codePage_;
    TDxfTextEncoding encoding_;
};

// ---------------------------------------------------------------------------------------------
// Files of other kinds, told apart by their first bytes before any of it is read as pairs.

// A DXF file is text: a NUL byte this close to the start means a file of another kind (a
// drawing in the CAD host's own format, an archive, UTF-16 text without a byte-order mark).
constexpr std::size_t kTextProbeBytes = 1024;

void RefuseForeignFile(std::string_view text) {
    if (text.empty()) {
        throw EDamagedDrawing(EmptyDrawingMessage);
    }
    if (text.starts_with("AutoCAD Binary DXF")) {
        throw EDamagedDrawing(BinaryDxfMessage);
    }
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
        throw EDamagedDrawing(Utf16TextMessage);
    }
    // A NUL ends the text: one followed by nothing but NULs is where a drawing was padded, and
    // the same drawing is read however far from the start that is. A NUL with other bytes after
    // it this near the start is a file of another kind.
    const std::string_view probe = text.substr(0, kTextProbeBytes);
    const std::size_t nul = probe.find('\0');
    if (nul != std::string_view::npos &&
        probe.find_first_not_of('\0', nul) != std::string_view::npos) {
        throw EDamagedDrawing(NotTextMessage);
    }
    if (nul == 0) {
        throw EDamagedDrawing(EmptyDrawingMessage);
    }
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Reads the whole of `lines` into `drawing`, refusing what is no whole ASCII drawing.
void ReadLines(LineSource& lines, TDrawing& drawing) {
    DxfPass pass(drawing);
    // A UTF-8 byte-order mark may stand before a drawing whose texts are UTF-8 (release 2007 and
    // later); before anything else it is a text file of another kind, as it always was.
    const bool byteOrderMark = lines.Ahead().starts_with(kByteOrderMark);
    if (byteOrderMark) {
        if (lines.Ahead().size() == kByteOrderMark.size()) {
            throw EDamagedDrawing(Utf8BomMessage);
        }
        lines.Skip(kByteOrderMark.size());
        pass.SetByteOrderMark();
    }
    RefuseForeignFile(lines.Ahead());
    bool whole = false;
    try {
        whole = pass.Run(lines);
        pass.SettleEncoding();
    } catch (const EConvertError&) {
        if (byteOrderMark && !pass.SettledUtf8()) {
            throw EDamagedDrawing(Utf8BomMessage);
        }
        throw;
    }
    // A complete export always ends its ENTITIES section; without that ENDSEC the file was cut
    // off somewhere and what was read is only part of the drawing.
    if (!whole) {
        throw EDamagedDrawing(pass.SawEntities() ? CutOffDrawingMessage : NoEntitiesMessage);
    }
    drawing.EscapedCharacters = pass.EscapedCharacters();
}

// Bytes read from a file at a time.
constexpr std::size_t kBlockBytes = std::size_t{1} << 20;

} // namespace

std::int32_t ReadDxfText(std::string_view text, TDrawing& drawing) {
    drawing.Reset();
    LineSource lines(text);
    ReadLines(lines, drawing);
    return drawing.LineCount();
}

std::int32_t ReadDxfFile(const std::string& path, TDrawing& drawing) {
    drawing.Reset();
    std::size_t size = 0;
    if (!FileExists(path, size)) {
        return 0;
    }
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        ThrowInOutError(errno);
    }
    // The blocks are read straight into the line buffer.
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    drawing.Reserve(size);
    LineSource lines(file.get(), kBlockBytes);
    ReadLines(lines, drawing);
    return drawing.LineCount();
}

} // namespace kolvo
