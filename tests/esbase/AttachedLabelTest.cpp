// The attached label: its presets and properties after construction, and the two messages its
// control receives after every load and bounds change, in order, only when both sit on one form.
#include "EsBase.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace kolvo {
namespace {

// Messages 1125 and 1126 as the control's window receives them: (message, lParam).
std::vector<std::pair<UINT, LPARAM>> received;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == AttachedLabelChangedMessage || message == AttachedLabelPostedMessage) {
        // A 1125 already waiting when 1126 arrives was posted before it: it goes in first.
        MSG waiting;
        if (message == AttachedLabelChangedMessage &&
            PeekMessageA(&waiting, window, AttachedLabelPostedMessage, AttachedLabelPostedMessage,
                         PM_NOREMOVE)) {
            received.emplace_back(AttachedLabelPostedMessage, 0);
        }
        received.emplace_back(message, lParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Handles what has been posted to this thread; nothing is waited for.
void HandlePosted() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&message);
    }
}

class AttachedLabel : public testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KolvoAttachedLabelTest";
        RegisterClassA(&windowClass);
        formWindow_ = CreateWindowA("KolvoAttachedLabelTest", "form", WS_OVERLAPPEDWINDOW, 0, 0,
                                    300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
        controlWindow_ = CreateWindowA("KolvoAttachedLabelTest", "control", WS_CHILD, 10, 10, 80,
                                       20, formWindow_, nullptr, windowClass.hInstance, nullptr);
        ASSERT_NE(controlWindow_, nullptr);
        form_.SetHandle(formWindow_);
        control_.SetHandle(controlWindow_);
        HandlePosted();
        received.clear();
    }
    void TearDown() override {
        DestroyWindow(formWindow_);
        HandlePosted();
    }

    using Sequence = std::vector<std::pair<UINT, LPARAM>>;
    static Sequence Pair(const TEsAttachedLabel& label) {
        return {{AttachedLabelChangedMessage, reinterpret_cast<LPARAM>(&label)},
                {AttachedLabelPostedMessage, 0}};
    }

    HWND formWindow_ = nullptr;
    HWND controlWindow_ = nullptr;
    TFormComponent form_;
    TWinComponent control_{&form_};
};

TEST_F(AttachedLabel, StartsAsPlainTextBesideItsControl) {
    const TEsAttachedLabel label(&form_, &control_);
    EXPECT_EQ(label.EsControl(), &control_);
    EXPECT_EQ(label.ColorScheme(), TEsColorScheme::csText);
    EXPECT_EQ(label.Appearance(), TEsAppearance::apNone);
    EXPECT_EQ(label.Font().color, TColor(0x000000)) << "the text scheme's face";
    EXPECT_EQ(label.CustomSettings().ShadowDepth(), 0) << "no effects";
    EXPECT_TRUE(label.AutoSize());
    EXPECT_TRUE(label.ParentFont());
    EXPECT_FALSE(label.Transparent());
    EXPECT_TRUE(received.empty()) << "constructing tells nobody";
}

TEST_F(AttachedLabel, SendsThenPostsAfterEveryBoundsChangeAndLoad) {
    TEsAttachedLabel label(&form_, &control_);
    label.SetParent(formWindow_);

    label.SetBounds(5, 40, 60, 16);
    ASSERT_EQ(received, (Sequence{Pair(label)[0]})) << "the first is sent and handled at once";
    HandlePosted();
    EXPECT_EQ(received, Pair(label));

    received.clear();
    label.BeginLoading();
    label.SetBounds(5, 60, 60, 16);
    HandlePosted();
    EXPECT_TRUE(received.empty()) << "nothing while loading";
    label.Loaded();
    HandlePosted();
    EXPECT_EQ(received, Pair(label));
}

TEST_F(AttachedLabel, SendsNothingWithoutBothOnOneForm) {
    TFormComponent otherForm;
    TWinComponent elsewhere(&otherForm, controlWindow_);
    TEsAttachedLabel notOnItsForm(&form_, &elsewhere);
    notOnItsForm.SetParent(formWindow_);
    notOnItsForm.SetBounds(1, 2, 3, 4);

    TEsAttachedLabel noParent(&form_, &control_);
    noParent.SetBounds(1, 2, 3, 4);

    auto leaving = std::make_unique<TWinComponent>(&form_, controlWindow_);
    TEsAttachedLabel controlGone(&form_, leaving.get());
    controlGone.SetParent(formWindow_);
    leaving.reset();
    EXPECT_EQ(controlGone.EsControl(), nullptr);
    controlGone.SetBounds(1, 2, 3, 4);
    controlGone.Loaded();

    HandlePosted();
    EXPECT_TRUE(received.empty());
}

} // namespace
} // namespace kolvo
