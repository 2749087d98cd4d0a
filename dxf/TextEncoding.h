// How a DXF file's texts are encoded, as its header says, and their conversion into CP932, the
// program's own. A file of release 2007 or later ($ACADVER AC1021 on) is UTF-8; an earlier one is
// in the code page its $DWGCODEPAGE names, CP932 (ANSI_932) when it names none. The quantity run's
// own export is R2000 ANSI_932, and its texts are taken exactly as they stand.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kolvo {

// "図面の文字コード (<name>) には対応していません"
std::string UnsupportedCodePageMessage(std::string_view name);

class TDxfTextEncoding {
public:
    // CP932, bytes as they stand.
    TDxfTextEncoding() = default;

    // The encoding of a file whose header has these values (empty where it has none). A code
    // page other than ANSI_932, ANSI_874, ANSI_936, ANSI_949, ANSI_950 and ANSI_1250 to
    // ANSI_1258, or one this system cannot convert, is refused: EDamagedDrawing.
    static TDxfTextEncoding FromHeader(std::string_view acadVer, std::string_view dwgCodePage);

    bool IsCp932() const { return kind_ == TKind::Cp932; }
    bool IsUtf8() const { return kind_ == TKind::Utf8; }

    // A text value in CP932: `raw` itself in a CP932 file. Otherwise converted, a "\U+XXXX"
    // escape read as its character and a character CP932 lacks written as that escape; the view
    // then stays valid until the next call.
    std::string_view ToCp932(std::string_view raw) {
        return kind_ == TKind::Cp932 ? raw : Convert(raw);
    }

    // Characters written as escapes because CP932 lacks them.
    std::int32_t Escaped() const { return escaped_; }

private:
    enum class TKind { Cp932, Utf8, CodePage };
    std::string_view Convert(std::string_view raw);

    TKind kind_ = TKind::Cp932;
    unsigned codePage_ = 932;
    std::string buffer_;
    std::int32_t escaped_ = 0;
};

} // namespace kolvo
