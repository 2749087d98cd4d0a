// How the gradient button answers the mouse and the keyboard: the pressed flag, the pointer
// crossing its edge, and which keys click it. Plain code; the control feeds it what the system
// reports.
#pragma once

#include <cstdint>

namespace kolvo {

// Keys and mouse buttons held, as the toolkit's shift state.
using TShiftState = unsigned;
constexpr TShiftState ssShift = 1;
constexpr TShiftState ssAlt = 2;
constexpr TShiftState ssCtrl = 4;
constexpr TShiftState ssLeft = 8;
constexpr TShiftState ssRight = 16;
constexpr TShiftState ssMiddle = 32;

constexpr int KeyEnter = 0x0D;
constexpr int KeyEscape = 0x1B;

// Asked before ordinary key handling: Enter clicks the focused button, Escape a Cancel button,
// each only without Shift, Ctrl or Alt and only when the button takes part in focus handling.
constexpr bool DialogKeyClicks(int key, bool focused, bool cancel, TShiftState shift,
                               bool hasFocus) {
    const bool keyFits = (key == KeyEnter && focused) || (key == KeyEscape && cancel);
    return keyFits && (shift & (ssShift | ssCtrl | ssAlt)) == 0 && hasFocus;
}

// Ordinary key handling: Enter that was no dialog key (Shift, Ctrl or Alt held) still clicks an
// enabled button, but without handing a modal result to the form.
constexpr bool KeyDownClicks(int key, bool enabled) {
    return enabled && key == KeyEnter;
}

enum class PointerCrossing : std::uint8_t { None, Entered, Left };

// The pressed flag (left button held on the button) and whether the pointer is over it. Only a
// mouse press sets the flag: keyboard clicks show no pressed face.
class ButtonPressState {
public:
    bool Pressed() const { return pressed_; }
    bool Over() const { return over_; }

    // Left press on the button: the flag is set and a click is armed for the release.
    void LeftPress() {
        pressed_ = true;
        armed_ = true;
        over_ = true;
    }
    // Left release; true when it completes a click: the press began on the button and the
    // pointer is over it again (also after leaving and coming back while held).
    bool LeftRelease(bool over) {
        pressed_ = false;
        const bool clicks = armed_ && over;
        armed_ = false;
        return clicks;
    }
    // The pointer was seen at a place; leaving clears the pressed face.
    PointerCrossing MoveTo(bool over) {
        if (over == over_) {
            return PointerCrossing::None;
        }
        over_ = over;
        if (!over) {
            pressed_ = false;
            return PointerCrossing::Left;
        }
        return PointerCrossing::Entered;
    }
    // A click (by any means) and the release of Enter clear the flag.
    void Clear() { pressed_ = false; }
    // The capture was taken away (another window, a menu): no release will come.
    void Cancel() {
        pressed_ = false;
        armed_ = false;
    }

private:
    bool pressed_ = false;
    bool armed_ = false;
    bool over_ = false;
};

} // namespace kolvo
