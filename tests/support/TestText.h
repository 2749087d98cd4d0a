// Paths and texts as the Windows tests hand them between the build's terms, the system's and the
// stand-in host's log.
#pragma once

#include <string>

namespace kolvo::test {

// A path the build gives in its own terms as a Windows path (a Unix path is on drive Z:).
std::string WindowsPath(std::string path);

// Text of the ANSI code page (CP932 under test) as UTF-16.
std::wstring Wide(const std::string& ansi);

// Bytes as lower-case hex digits, two to a byte, as the host log writes them.
std::string Hex(const std::string& bytes);

} // namespace kolvo::test
