// Cleaning of MTEXT inline format codes out of text values.
//
// Bar labels are read from text contents, so the paragraph breaks, overline and underline
// switches, tracking and colour changes that MTEXT embeds must not end up inside a label. Every
// other code (fonts, heights, stacking, braces, escaped characters) stays as written.
#pragma once

#include <string>
#include <string_view>

namespace kolvo {

// Removes, in this order: every "\P", "\O", "\o", "\L", "\l" (each searched again from the
// start after every removal, so a code that a removal forms is removed too if it is the code in
// hand or a later one), then every "\T" and every "\C" together with the value that follows it
// up to and including the next ";". An unterminated "\T" or "\C" stays, and so do the later
// ones of the same code. A code never starts on the second byte of a double-byte character.
std::string StripMTextCodes(std::string_view text);

// Replaces the first "\U+03C6" (the DXF escape for the Greek small letter phi, the bar diameter
// sign) by phi in Shift-JIS, 0x83 0xD3. Later escapes stay as written.
void ReplaceFirstPhiEscape(std::string& text);

} // namespace kolvo
