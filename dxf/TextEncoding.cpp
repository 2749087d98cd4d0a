#include "TextEncoding.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "CodePages.h"
#include "Errors.h"
#include "TextCodec.h"

namespace kolvo {

namespace {

// The code pages of drawings from other offices that are read; others are refused by name, so
// that every build reads the same files.
constexpr unsigned ReadCodePages[] = {874,  936,  949,  950,  1250, 1251, 1252,
                                      1253, 1254, 1255, 1256, 1257, 1258};

std::optional<unsigned> Number(std::string_view digits) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return value;
}

// Release 2007 and later write their texts in UTF-8.
bool IsUtf8Release(std::string_view acadVer) {
    if (!acadVer.starts_with("AC")) {
        return false;
    }
    const std::optional<unsigned> release = Number(acadVer.substr(2));
    return release && *release >= 1021;
}

} // namespace

std::string UnsupportedCodePageMessage(std::string_view name) {
    return "図面の文字コード (" + std::string(name) + ") には対応していません";
}

TDxfTextEncoding TDxfTextEncoding::FromHeader(std::string_view acadVer,
                                              std::string_view dwgCodePage) {
    TDxfTextEncoding encoding;
    if (IsUtf8Release(acadVer)) {
        encoding.kind_ = TKind::Utf8;
        return encoding;
    }
    if (dwgCodePage.empty() || dwgCodePage == "ANSI_932") {
        return encoding;
    }
    const std::optional<unsigned> codePage =
        dwgCodePage.starts_with("ANSI_") ? Number(dwgCodePage.substr(5)) : std::nullopt;
    if (!codePage ||
        std::find(std::begin(ReadCodePages), std::end(ReadCodePages), *codePage) ==
            std::end(ReadCodePages) ||
        !CanConvertCodePage(*codePage)) {
        throw EDamagedDrawing(UnsupportedCodePageMessage(dwgCodePage));
    }
    encoding.kind_ = TKind::CodePage;
    encoding.codePage_ = *codePage;
    return encoding;
}

std::string_view TDxfTextEncoding::Convert(std::string_view raw) {
    // An ASCII text reads alike in every encoding these files use.
    if (std::all_of(raw.begin(), raw.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80 && c != '\\'; })) {
        return raw;
    }
    const std::u16string utf16 = kind_ == TKind::Utf8
                                     ? Utf8ToUtf16(raw)
                                     : CodePageToUtf16(raw, codePage_).value_or(std::u16string());
    buffer_ = Utf16ToCp932Escaping(DecodeUnicodeEscapes(utf16), &escaped_);
    return buffer_;
}

} // namespace kolvo
