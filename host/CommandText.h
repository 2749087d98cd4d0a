// The bytes that carry a command text to the CAD host, and the buffer that reads its command
// line back.
//
// A command text travels whole in one WM_COPYDATA message: UTF-16 with a 2-byte NUL to a Unicode
// host window, 8-bit text in the system ANSI code page with a 1-byte NUL otherwise. The buffer is
// sized to the text, so a long export command (a long DXF path) reaches the host whole instead of
// cut at some fixed length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kolvo {

// What became of a command text sent to the host main window.
enum class SendOutcome {
    Sent,     // the host took it
    NoHost,   // there is no live host main window
    Refused,  // the system would not hand it over: the host runs with higher rights than Kolvo
    NoAnswer, // the host did not take it within the time allowed, or is hung
};

// How long a command text may wait for the host to take it. The host takes a text at once
// (it queues it as typed input), so a host that needs longer is not going to take it.
inline constexpr unsigned kCommandAnswerMilliseconds = 5000;

struct CommandMessage {
    static constexpr std::uintptr_t kDwData = 1;
    std::vector<unsigned char> data; // what lpData points at; holds at least cbData bytes
    std::uint32_t cbData = 0;
};

// `text` as the host is told its length, `sent` the same text after its round trip through the
// ANSI code page (characters the code page lacks have become its default character). cbData
// counts the units of `text` and its NUL; at most that many units of `sent` are carried.
CommandMessage UnicodeCommandMessage(std::u16string_view text, std::u16string_view sent);

// `ansiText`: the command text in the ANSI code page.
CommandMessage AnsiCommandMessage(std::string_view ansiText);

// Longest window text read back, in reported units. A command line is one line; a window that
// reports more is answered with its first part rather than with an allocation it chose.
inline constexpr std::intptr_t kMaxWindowTextLength = 65536;

// Bytes to offer WM_GETTEXT for a window that reported `reportedLength` with WM_GETTEXTLENGTH:
// twice the length and its NUL, since the 8-bit form may be longer than the reported length.
// 0 when the window reported no text: then it is not asked for it at all.
std::size_t WindowTextBufferBytes(std::intptr_t reportedLength);

// The NUL-terminated text in a buffer the window filled; a buffer without a NUL gives all of it.
std::string TextFromBuffer(const char* buffer, std::size_t size);

} // namespace kolvo
