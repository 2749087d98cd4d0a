// The main dialog created in this process: what a user sees and what it leaves in the settings
// file. The expected values are written out here from the dialog's description, not taken from
// the program's own layout table, so that a slip in that table shows.
#include "Application.h"
#include "EsMarque.h"
#include "KolvoZokuseiU.h"
#include "OffscreenImage.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kolvo {
namespace {

using testing::FileExists;
using testing::FolderExists;
using testing::ReadBytes;
using testing::TTempFolder;
using testing::WriteBytes;

const std::string Hyou = "\x95\x5C"; // 表, second byte 0x5C

class DialogTest : public ::testing::Test {
protected:
    DialogServices Services() {
        DialogServices services;
        services.appDataFolder = [this](HWND) { return appData; };
        services.executablePath = [this] { return executable; };
        services.localTime = [] { return LocalTime{2024, 3, 7, 9, 5, 3}; };
        services.browseForSave = [this](HWND owner, std::string& path) {
            browseOwners.push_back(owner);
            if (!browseAnswer.empty()) {
                path = browseAnswer;
            }
            return !browseAnswer.empty();
        };
        services.showError = [this](HWND, const std::string& text) { errors.push_back(text); };
        services.showMessage = [this](HWND, const std::string& text) { messages.push_back(text); };
        return services;
    }

    std::unique_ptr<TKolvoZokuSeiF> Open() {
        auto form =
            std::make_unique<TKolvoZokuSeiF>(GetModuleHandleA(nullptr), nullptr, Services(), false);
        EXPECT_TRUE(form->Created());
        form->Show();
        return form;
    }

    std::string WorkFolder() const { return appData + "\\Vantorel\\"; }

    TTempFolder scratch;
    // Two levels that do not exist yet: the work folder is created with its parents.
    std::string appData = scratch.Path() + "Users\\Roaming";
    std::string executable = "D:\\elsewhere\\Kolvo.exe";
    std::string browseAnswer;
    std::vector<HWND> browseOwners;
    std::vector<std::string> errors;
    std::vector<std::string> messages;
};

RECT RectInParent(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return CharUpperA(name);
}

std::string TextOf(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

TEST_F(DialogTest, WindowIsAFixedTopmostDialogCentredOnScreen) {
    auto form = Open();
    HWND window = form->Handle();

    EXPECT_EQ(TextOf(window), "\x94\x7a\x8b\xd8\x82\xcc\x8f\x57\x8c\x76\x92\x6c\x82\xf0\x93\xbe"
                              "\x82\xe9"); // 配筋の集計値を得る
    EXPECT_EQ(ClassOf(window), "TKOLVOZOKUSEIF");

    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 263);
    EXPECT_EQ(client.bottom, 133);

    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_THICKFRAME) << "the border must not be sizeable";
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);

    HMENU systemMenu = GetSystemMenu(window, FALSE);
    EXPECT_NE(GetMenuState(systemMenu, SC_CLOSE, MF_BYCOMMAND), UINT(-1));
    for (UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE}) {
        EXPECT_EQ(GetMenuState(systemMenu, command, MF_BYCOMMAND), UINT(-1)) << command;
    }

    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2);
    EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2);

    EXPECT_EQ(GetClassLongPtrA(window, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
}

struct ExpectedControl {
    int id;
    const char* windowClass;
    int left, top, width, height;
    const char* text;
    bool tabStop;
};

TEST_F(DialogTest, ControlsHaveTheirPlacesTextsAndFont) {
    const ExpectedControl expected[] = {
        {IdLabel1, "STATIC", 8, 48, 124, 12, "結果保存CSVファイル名", false},
        {IdButton1, "BUTTON", 208, 48, 51, 17, "参照", true},
        {IdEdit1, "EDIT", 8, 64, 249, 20, "", true},
        {IdPlButton2, "TPLBUTTON", 16, 96, 75, 26, "閉じる", true},
        {IdPlButton1, "TPLBUTTON", 168, 96, 75, 26, "\x8e\xc0\x81\x40\x8d\x73", true}, // 実　行
        {IdButton2, "BUTTON", 16, 168, 75, 25, "解析", true},
    };
    auto form = Open();
    for (const ExpectedControl& control : expected) {
        SCOPED_TRACE(control.text);
        HWND child = form->Control(KolvoControlId(control.id));
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(ClassOf(child), control.windowClass);
        const RECT rect = RectInParent(child);
        EXPECT_EQ(rect.left, control.left);
        EXPECT_EQ(rect.top, control.top);
        EXPECT_EQ(rect.right - rect.left, control.width);
        EXPECT_EQ(rect.bottom - rect.top, control.height);
        EXPECT_EQ(TextOf(child), control.text);
        const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
        EXPECT_EQ((style & WS_TABSTOP) != 0, control.tabStop);
        if (std::string(control.windowClass) == "BUTTON") {
            EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON) << "no default button";
        }

        LOGFONTA font{};
        HFONT handle = reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0));
        ASSERT_NE(handle, nullptr);
        ASSERT_EQ(GetObjectA(handle, sizeof font, &font), int(sizeof font));
        EXPECT_EQ(font.lfHeight, -12);
        EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
        EXPECT_STREQ(font.lfFaceName,
                     "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e");
    }
    EXPECT_EQ(form->Control(IdEsScrollingMarquee1), nullptr) << "the banner paints on the dialog";
    // Enter and Esc find no button to press.
    EXPECT_EQ(GetDlgItem(form->Handle(), IDOK), nullptr);
    EXPECT_EQ(GetDlgItem(form->Handle(), IDCANCEL), nullptr);
}

TEST_F(DialogTest, TabMovesExecuteCloseFieldBrowseAnalyse) {
    auto form = Open();
    const KolvoControlId order[] = {IdPlButton1, IdPlButton2, IdEdit1,
                                    IdButton1,   IdButton2,   IdPlButton1};
    for (size_t i = 0; i + 1 < std::size(order); ++i) {
        EXPECT_EQ(GetNextDlgTabItem(form->Handle(), form->Control(order[i]), FALSE),
                  form->Control(order[i + 1]))
            << "after control " << order[i];
    }
}

TEST_F(DialogTest, FirstStartShowsEmptyFieldAndCloseWritesEmptyValue) {
    auto form = Open();
    EXPECT_EQ(form->ReportName(), "");
    EXPECT_TRUE(FolderExists(WorkFolder()));
    EXPECT_EQ(form->WorkFolder(), WorkFolder());
    EXPECT_EQ(form->BaseName(), WorkFolder() + "240307090503.scr");
    const std::string settings = WorkFolder() + "Kolvo.Ini";
    EXPECT_EQ(form->SettingsPath(), settings);
    EXPECT_FALSE(FileExists(settings)) << "opening alone writes nothing";

    SendMessageA(form->Control(IdPlButton2), BM_CLICK, 0, 0); // 閉じる
    EXPECT_FALSE(IsWindow(form->Handle())) << "the close button closes the dialog";
    EXPECT_EQ(ReadBytes(settings), "[\x8f\x89\x8a\xfa\x89\xbb]\r\n\x95\xdb\x91\xb6\x96\xbc=\r\n");
    EXPECT_TRUE(errors.empty());
}

TEST_F(DialogTest, ReportNameIsStoredAndShownExactlyAsTyped) {
    // No extension, and a 0x5C trail byte in a folder name.
    const std::string typed = "C:\\" + Hyou + "\\bars";
    {
        auto form = Open();
        form->SetReportName(typed);
        SendMessageA(form->Handle(), WM_CLOSE, 0, 0); // the close box
        EXPECT_FALSE(IsWindow(form->Handle()));
    }
    EXPECT_EQ(ReadBytes(WorkFolder() + "Kolvo.Ini"),
              "[\x8f\x89\x8a\xfa\x89\xbb]\r\n"
              "\x95\xdb\x91\xb6\x96\xbc=C:\\\x95\x5C\\bars\r\n");
    auto again = Open();
    EXPECT_EQ(again->ReportName(), typed);

    // A later close writes the current text over the earlier one.
    again->SetReportName("D:\\out\\summary.csv");
    again->Close();
    auto third = Open();
    EXPECT_EQ(third->ReportName(), "D:\\out\\summary.csv");
}

TEST_F(DialogTest, SettingsWrittenByHandAreRead) {
    ASSERT_TRUE(CreateDirectoryA((scratch.Path() + "Users").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(appData.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(WorkFolder().c_str(), nullptr));
    ASSERT_NO_THROW(WriteBytes(WorkFolder() + "Kolvo.Ini",
                               "[other]\r\nkey=1\r\n[初期化]\r\n保存名=C:\\図面\\集計.csv\r\n"));
    auto form = Open();
    EXPECT_EQ(form->ReportName(), "C:\\図面\\集計.csv");
    form->SetReportName("");
    form->Close();
    // Only the one key changes; whatever else the file holds stays.
    EXPECT_EQ(ReadBytes(WorkFolder() + "Kolvo.Ini"), "[other]\r\nkey=1\r\n[初期化]\r\n保存名=\r\n");
}

TEST_F(DialogTest, OverlongValueComesBackCutBetweenCharacters) {
    std::string longName = "C:\\";
    while (longName.size() < 2300) {
        longName += "\x82\xa0"; // あ: C:\ and then an odd byte count at 2047
    }
    ASSERT_TRUE(CreateDirectoryA((scratch.Path() + "Users").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(appData.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(WorkFolder().c_str(), nullptr));
    ASSERT_NO_THROW(
        WriteBytes(WorkFolder() + "Kolvo.Ini", "[初期化]\r\n保存名=" + longName + "\r\n"));
    auto form = Open();
    const std::string shown = form->ReportName();
    EXPECT_LE(shown.size(), 2047u);
    EXPECT_GE(shown.size(), 2045u);
    EXPECT_EQ(shown, longName.substr(0, shown.size()));
    EXPECT_EQ(shown.size() % 2, 1u) << "ends on a whole character";
}

TEST_F(DialogTest, BrowseReplacesTheFieldOnlyWhenConfirmed) {
    auto form = Open();
    form->SetReportName("C:\\old\\name.csv");

    SendMessageA(form->Control(IdButton1), BM_CLICK, 0, 0); // cancelled
    EXPECT_EQ(form->ReportName(), "C:\\old\\name.csv");

    browseAnswer = "C:\\図面\\新しい集計.csv";
    SendMessageA(form->Control(IdButton1), BM_CLICK, 0, 0);
    EXPECT_EQ(form->ReportName(), browseAnswer);
    ASSERT_EQ(browseOwners.size(), 2u);
    EXPECT_EQ(browseOwners[0], form->Handle()) << "the save dialog is modal to the dialog";
}

TEST_F(DialogTest, MinimizeTakesTheDialogToTheTaskBarAndRestoreBringsItBack) {
    Application& application = App();
    if (application.Handle() == nullptr) {
        ASSERT_TRUE(application.Initialize(GetModuleHandleA(nullptr)));
    }
    TKolvoZokuSeiF form(GetModuleHandleA(nullptr), application.Handle(), Services(), false);
    form.Show();
    ASSERT_EQ(GetWindow(form.Handle(), GW_OWNER), application.Handle());

    const TEsScrollingMarquee& banner = form.EsScrollingMarquee1();
    form.Minimize();
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_TRUE(IsIconic(application.Handle())) << "the task-bar button stays";
    EXPECT_EQ(banner.TimerId(), 0u) << "no ticks while nobody sees the banner";
    form.Restore();
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_FALSE(IsIconic(form.Handle()));
    EXPECT_FALSE(IsIconic(application.Handle()));
    EXPECT_NE(banner.TimerId(), 0u);
    EXPECT_TRUE(banner.Active());

    // A dialog of its own, without the application window, goes to an icon instead.
    TKolvoZokuSeiF alone(GetModuleHandleA(nullptr), nullptr, Services(), false);
    alone.Show();
    alone.Minimize();
    EXPECT_TRUE(IsIconic(alone.Handle()));
    EXPECT_EQ(alone.EsScrollingMarquee1().TimerId(), 0u);
    alone.Restore();
    EXPECT_NE(alone.EsScrollingMarquee1().TimerId(), 0u);
}

TEST_F(DialogTest, UnwritableSettingsAreReportedAndTheDialogClosesAnyway) {
    auto form = Open();
    // A folder in the settings file's place cannot be written as a file.
    ASSERT_TRUE(CreateDirectoryA(form->SettingsPath().c_str(), nullptr));
    form->SetReportName("C:\\x.csv");
    SendMessageA(form->Control(IdPlButton2), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindow(form->Handle()));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], WorkFolder() + "Kolvo.Ini \x82\xc9\x8f\x91\x82\xab\x8d\x9e\x82\xdf\x82\xdc"
                                        "\x82\xb9\x82\xf1"); // に書き込めません
}

// ---- The gradient buttons "実　行" and "閉じる" on the real dialog ----

const std::string NoReportName = "保存ファイル名が指定されていません";

// The face as the button's window paints it now.
struct Face {
    explicit Face(HWND button) : image(75, 26) {
        SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image.Dc()), PRF_CLIENT);
    }
    TColor At(int x, int y) const { return image.PixelAt(x, y); }
    static TColor Row(int y) { return GradientRowColor(0xFFFFFF, 0xC0DCC0, y, 26); }
    // Pixels of row 2 between the corners that differ from the gradient: the focus mark's dots.
    int MarkDots() const {
        int dots = 0;
        for (int x = 4; x < 70; ++x) {
            dots += At(x, 2) != Row(2);
        }
        return dots;
    }
    // Top-left corner of the caption's ink.
    POINT CaptionCorner() const {
        POINT corner{1000, 1000};
        for (int y = 4; y < 23; ++y) {
            for (int x = 6; x < 69; ++x) {
                if (At(x, y) != Row(y)) {
                    corner.x = std::min<LONG>(corner.x, x);
                    corner.y = std::min<LONG>(corner.y, y);
                }
            }
        }
        return corner;
    }
    OffscreenImage image;
};

void PressKey(HWND form, HWND target, WPARAM key, bool shift = false) {
    BYTE keys[256] = {};
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
    App().ProcessMessages(form); // the program's own loop, dialog keys and all
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

TEST_F(DialogTest, GradientButtonsShowGradientRaisedFrameAndFocusMarkOnTheFocusedOneOnly) {
    auto form = Open();
    HWND execute = form->Control(IdPlButton1);
    HWND close = form->Control(IdPlButton2);
    ASSERT_EQ(GetFocus(), execute) << "the first tab stop has the focus";
    for (HWND button : {execute, close}) {
        const Face face(button);
        for (int y = 3; y < 23; ++y) {
            EXPECT_EQ(face.At(4, y), Face::Row(y)) << "row " << y;
        }
        EXPECT_EQ(Face::Row(13), TColor(0xDFEDDF));
        EXPECT_EQ(face.At(0, 0), TColor(GetSysColor(COLOR_3DLIGHT)));
        EXPECT_EQ(face.At(1, 1), TColor(GetSysColor(COLOR_BTNHIGHLIGHT)));
        EXPECT_EQ(face.At(73, 24), TColor(GetSysColor(COLOR_BTNSHADOW)));
        EXPECT_EQ(face.At(74, 25), TColor(GetSysColor(COLOR_3DDKSHADOW)));
    }
    // The mark's dots alternate along its edge.
    EXPECT_GE(Face(execute).MarkDots(), 30);
    EXPECT_EQ(Face(close).MarkDots(), 0);

    PressKey(form->Handle(), execute, VK_TAB);
    ASSERT_EQ(GetFocus(), close) << "Tab moves on in the tab order";
    EXPECT_EQ(Face(execute).MarkDots(), 0);
    EXPECT_GE(Face(close).MarkDots(), 30);
}

TEST_F(DialogTest, PressedButtonShowsItsPressedFrameAndShiftedCaptionAndClicksOnlyInside) {
    auto form = Open();
    HWND execute = form->Control(IdPlButton1);
    const POINT up = Face(execute).CaptionCorner();
    ASSERT_LT(up.x, 1000) << "the caption is drawn";
    EXPECT_EQ(up.y, 8 + 1) << "caption top 8; the glyph's ink starts a pixel lower";

    SendMessageA(execute, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    {
        const Face pressed(execute);
        EXPECT_EQ(pressed.At(0, 0), TColor(GetSysColor(COLOR_BTNSHADOW)));
        EXPECT_EQ(pressed.At(74, 25), TColor(GetSysColor(COLOR_BTNSHADOW)));
        EXPECT_EQ(pressed.At(1, 1), TColor(0x808080));
        EXPECT_EQ(pressed.At(73, 24), TColor(0x808080));
        const POINT down = pressed.CaptionCorner();
        EXPECT_EQ(down.x, up.x + 1);
        EXPECT_EQ(down.y, up.y + 1);
    }
    // Dragged out the face comes up, and stays up when the pointer comes back while held.
    SendMessageA(execute, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-5, 40));
    EXPECT_EQ(Face(execute).At(0, 0), TColor(GetSysColor(COLOR_3DLIGHT)));
    SendMessageA(execute, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(Face(execute).At(0, 0), TColor(GetSysColor(COLOR_3DLIGHT)));
    SendMessageA(execute, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-5, 40));
    SendMessageA(execute, WM_LBUTTONUP, 0, MAKELPARAM(-5, 40));
    EXPECT_TRUE(messages.empty()) << "released outside: no click";
    EXPECT_EQ(GetCapture(), nullptr);

    // Pressed and released on it: the quantity run starts and asks for a report name.
    SendMessageA(execute, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 12));
    SendMessageA(execute, WM_LBUTTONUP, 0, MAKELPARAM(31, 12));
    EXPECT_EQ(messages, std::vector<std::string>{NoReportName});
}

TEST_F(DialogTest, EnterClicksTheFocusedGradientButtonAndEscapePressesNothing) {
    auto form = Open();
    HWND execute = form->Control(IdPlButton1);
    HWND close = form->Control(IdPlButton2);

    PressKey(form->Handle(), execute, VK_ESCAPE);
    PressKey(form->Handle(), form->Control(IdEdit1), VK_ESCAPE);
    PressKey(form->Handle(), form->Control(IdEdit1), VK_RETURN);
    EXPECT_TRUE(messages.empty()) << "Escape and Enter outside the buttons press nothing";
    ASSERT_TRUE(IsWindow(form->Handle()));

    SetFocus(execute);
    PressKey(form->Handle(), execute, VK_RETURN);
    EXPECT_EQ(messages, std::vector<std::string>{NoReportName}) << "the run started";
    PressKey(form->Handle(), execute, VK_RETURN, true);
    EXPECT_EQ(messages.size(), 2u) << "Shift+Enter clicks too";

    form->SetReportName("C:\\enter.csv");
    SetFocus(close);
    PressKey(form->Handle(), close, VK_RETURN);
    EXPECT_FALSE(IsWindow(form->Handle())) << "Enter on 閉じる closes the dialog";
    EXPECT_EQ(ReadBytes(WorkFolder() + "Kolvo.Ini"),
              "[\x8f\x89\x8a\xfa\x89\xbb]\r\n\x95\xdb\x91\xb6\x96\xbc=C:\\enter.csv\r\n");
    EXPECT_EQ(messages.size(), 2u);
}

} // namespace
} // namespace kolvo
