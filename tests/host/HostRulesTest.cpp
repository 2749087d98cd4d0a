// The host window search against made-up desktops: which windows are taken for the CAD host,
// in which order the command line is looked for, and when nothing is searched at all.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostRules.h"

namespace kolvo {
namespace {

struct FakeWindow {
    WindowRef id;
    WindowRef parent;
    std::string title;
    std::string className;
    std::uint32_t processId;
    bool live = true;
};

class FakeDesktop final : public WindowDirectory {
public:
    WindowRef Add(WindowRef parent, std::string title, std::string className,
                  std::uint32_t processId) {
        windows_.push_back({nextId_, parent, std::move(title), std::move(className), processId});
        return nextId_++;
    }
    void Close(WindowRef window) {
        for (FakeWindow& w : windows_) {
            if (w.id == window || (w.parent != 0 && !IsLive(w.parent))) {
                w.live = false;
            }
        }
    }
    void CloseAll() {
        for (FakeWindow& w : windows_) {
            w.live = false;
        }
    }

    bool IsLive(WindowRef window) const override {
        const FakeWindow* w = Find(window);
        return w && w->live;
    }
    std::string Title(WindowRef window) const override { return Find(window)->title; }
    std::string ClassName(WindowRef window) const override { return Find(window)->className; }
    std::uint32_t ProcessOf(WindowRef window) const override { return Find(window)->processId; }

    void EnumTopLevel(HostWindowSearch& search, WindowProbe probe) override {
        ++enumerations;
        for (const FakeWindow& w : windows_) {
            if (w.live && w.parent == 0) {
                ++visits;
                if (!search.Probe(probe, w.id)) {
                    return;
                }
            }
        }
    }

    void EnumDescendants(HostWindowSearch& search, WindowRef parent, WindowProbe probe) override {
        ++enumerations;
        // A null parent would make the platform walk the top-level windows instead.
        EXPECT_NE(parent, kNoWindow);
        Walk(search, parent, probe);
    }

    int enumerations = 0;
    int visits = 0;

private:
    bool Walk(HostWindowSearch& search, WindowRef parent, WindowProbe probe) {
        for (const FakeWindow& w : windows_) {
            if (w.live && w.parent == parent) {
                ++visits;
                if (!search.Probe(probe, w.id) || !Walk(search, w.id, probe)) {
                    return false;
                }
            }
        }
        return true;
    }
    const FakeWindow* Find(WindowRef window) const {
        for (const FakeWindow& w : windows_) {
            if (w.id == window) {
                return &w;
            }
        }
        return nullptr;
    }

    std::vector<FakeWindow> windows_;
    WindowRef nextId_ = 0x100;
};

const std::string kMainClass = "Afx:00400000:8:00010011:00000000:00000000";
const std::string kTextClass = "Afx:00400000:b:00010011:00000006:00000000";
const std::string kMainTitle = "AutoCAD 2000 - [図面1.dwg]";
const std::string kTextTitle = "AutoCAD テキスト ウィンドウ - 図面1.dwg";

TEST(HostTitle, AcceptsTheThreePrefixesAsBytes) {
    EXPECT_TRUE(HasHostMainTitle("AutoCAD LT 2000i - [Drawing1.dwg]"));
    EXPECT_TRUE(HasHostMainTitle("AutoCAD "));
    EXPECT_TRUE(HasHostMainTitle("Autodesk Map 3D"));
    EXPECT_TRUE(HasHostMainTitle("ACAD"));
    EXPECT_TRUE(HasHostMainTitle("ACADx whatever"));

    EXPECT_FALSE(HasHostMainTitle("AutoCAD"));
    EXPECT_FALSE(HasHostMainTitle("AutoCAD-LT"));
    EXPECT_FALSE(HasHostMainTitle("Autodesk"));
    EXPECT_FALSE(HasHostMainTitle("autocad 2000"));
    EXPECT_FALSE(HasHostMainTitle("Acad 2000"));
    EXPECT_FALSE(HasHostMainTitle(" AutoCAD 2000"));
    EXPECT_FALSE(HasHostMainTitle("ビューア - AutoCAD 2000"));
    EXPECT_FALSE(HasHostMainTitle(""));
}

TEST(HostClass, AcceptsAfxFramesAndTheMdiFrameOfAnyMfcVersion) {
    const struct {
        std::string className;
        bool accepted;
    } cases[] = {
        {kMainClass, true},
        {"Afx:8:", true},
        {"AfxMDIFrame90u", true},
        {"AfxMDIFrame100u", true},
        {"XAfxMDIFrame100uY", true},
        // Today's hosts: MFC 11 and later.
        {"AfxMDIFrame110u", true},
        {"AfxMDIFrame140u", true},
        {"AfxMDIFrame8u", true},
        {"AfxMDIFrame80u", true},
        {"AfxMDIFrame140ud", true},
        {"Afx:AfxMDIFrame140u:0", true},
        // A digit-less or unfinished mention first does not hide a real one after it.
        {"AfxMDIFrame-AfxMDIFrame140u", true},
        {"AfxMDIFrame1400u-AfxMDIFrame140u", true},

        {kTextClass, false},
        {"afx:00400000:8:0", false},
        {"Win:Afx::8:", false},
        {"Afx:00400000:80:", false},
        {"AfxMDIFrame100", false},
        {"AfxMDIFrameu", false},
        {"AfxMDIFrame1400u", false},
        {"AfxMDIFrame140U", false},
        {"AfxMDIFrame14xu", false},
        {"afxmdiframe140u", false},
        {"AfxFrameOrView140u", false},
        {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HasHostMainClass(c.className), c.accepted) << c.className;
    }
}

TEST(HostWords, MatchOnlyOnCharacterBoundaries) {
    // "\x88\x9f" is a whole kanji; a lone "\x88" pairs with the first byte of the word, so the
    // word's bytes are there but its first character is not.
    EXPECT_TRUE(HasHostTextWindowTitle(kTextTitle));
    EXPECT_TRUE(HasHostTextWindowTitle("AutoCAD \x88\x9fテキスト ウィンドウ"));
    EXPECT_FALSE(HasHostTextWindowTitle("AutoCAD \x88テキスト ウィンドウ"));
    EXPECT_FALSE(HasHostTextWindowTitle("ACAD テキスト ウィンドウ"));
    EXPECT_FALSE(HasHostTextWindowTitle("AutoCAD テキストウィンドウ"));

    EXPECT_TRUE(HasCommandLineFrameTitle("コマンド ライン"));
    EXPECT_TRUE(HasCommandLineFrameTitle("\x88\x9fコマンド ライン - 2"));
    EXPECT_FALSE(HasCommandLineFrameTitle("\x88コマンド ライン"));
    EXPECT_FALSE(HasCommandLineFrameTitle("コマンドライン"));

    EXPECT_TRUE(HasHostTextWindowClass(kTextClass));
    EXPECT_FALSE(HasHostTextWindowClass(kMainClass));
    EXPECT_TRUE(HasCommandLineFrameClass(kMainClass));
    EXPECT_FALSE(HasCommandLineFrameClass("AfxMDIFrame100u"));
}

TEST(MainWindowSearch, FirstMatchWinsAndEndsTheEnumeration) {
    FakeDesktop desktop;
    desktop.Add(0, "", kMainClass, 1);
    desktop.Add(0, "AutoCAD", kMainClass, 2);            // no space
    desktop.Add(0, "AutoCAD 2000", "AfxFrameOrView", 3); // wrong class
    const WindowRef first = desktop.Add(0, "ACAD-R14", "AfxMDIFrame100u", 40);
    desktop.Add(0, kMainTitle, kMainClass, 50);
    desktop.Add(0, "Notepad", "Notepad", 60);

    HostWindowSearch search(desktop);
    EXPECT_EQ(search.FindHostMainWindow(), first);
    EXPECT_EQ(search.Remembered().HostProcessId, 40u);
    EXPECT_EQ(desktop.visits, 4);

    // A live remembered window is reused without looking at the desktop again.
    EXPECT_EQ(search.FindHostMainWindow(), first);
    EXPECT_EQ(desktop.enumerations, 1);

    // Gone: the next call finds the other host, and takes its process.
    desktop.Close(first);
    const WindowRef second = search.FindHostMainWindow();
    EXPECT_NE(second, first);
    EXPECT_EQ(desktop.Title(second), kMainTitle);
    EXPECT_EQ(search.Remembered().HostProcessId, 50u);
}

TEST(MainWindowSearch, NoHostLeavesNothingRemembered) {
    FakeDesktop desktop;
    desktop.Add(0, "AutoCAD", kMainClass, 1);
    desktop.Add(0, "Autodesk", "AfxMDIFrame100u", 1);
    HostWindowSearch search(desktop);
    EXPECT_EQ(search.FindHostMainWindow(), kNoWindow);
    EXPECT_EQ(search.FindHostCommandLine(), kNoWindow);
    EXPECT_EQ(search.Remembered().HostProcessId, 0u);
}

struct HostLayout {
    FakeDesktop desktop;
    WindowRef main = 0;
    WindowRef headlands = 0;

    WindowRef AddMain(std::uint32_t processId = 7) {
        main = desktop.Add(0, kMainTitle, kMainClass, processId);
        return main;
    }
    // A command-line bar with the history above the current line, under `holder`.
    WindowRef AddCommandLine(WindowRef holder, std::uint32_t processId = 7, bool withSibling = true,
                             std::string title = "Headlands") {
        const WindowRef bar = desktop.Add(holder, "", "AfxControlBar", processId);
        if (withSibling) {
            desktop.Add(bar, "MountTam", "Pane", processId);
        }
        headlands = desktop.Add(bar, std::move(title), "Pane", processId);
        return headlands;
    }
};

TEST(CommandLineSearch, FindsTheDockedLineAndReusesIt) {
    HostLayout host;
    host.AddMain();
    host.desktop.Add(host.main, "View", "AfxFrameOrView", 7);
    const WindowRef docked = host.AddCommandLine(host.main);
    // A floating frame of the same host would come second.
    host.AddCommandLine(host.desktop.Add(0, "コマンド ライン", kMainClass, 7));

    HostWindowSearch search(host.desktop);
    EXPECT_EQ(search.FindHostCommandLine(), docked);
    EXPECT_NE(search.Remembered().MountTamWindow, kNoWindow);

    const int enumerations = host.desktop.enumerations;
    EXPECT_EQ(search.FindHostCommandLine(), docked);
    EXPECT_EQ(host.desktop.enumerations, enumerations);
}

TEST(CommandLineSearch, TitleMustBeExactlyHeadlands) {
    for (const char* title : {"headlands", "Headlands ", "HeadlandsX", " Headlands", "HEADLANDS"}) {
        HostLayout host;
        host.AddMain();
        host.AddCommandLine(host.main, 7, true, title);
        HostWindowSearch search(host.desktop);
        EXPECT_EQ(search.FindHostCommandLine(), kNoWindow) << title;
    }
}

TEST(CommandLineSearch, StopsOnceBothAreFoundButSearchesOnWithoutTheSibling) {
    for (const bool withSibling : {true, false}) {
        HostLayout host;
        host.AddMain();
        const WindowRef line = host.AddCommandLine(host.main, 7, withSibling);
        for (int i = 0; i < 5; ++i) {
            host.desktop.Add(host.main, "Other", "Pane", 7);
        }
        HostWindowSearch search(host.desktop);
        EXPECT_EQ(search.FindHostCommandLine(), line);
        if (withSibling) {
            // The main window, then the bar and its two windows; the five others unseen.
            EXPECT_EQ(host.desktop.visits, 4);
        } else {
            // Every descendant seen, and still the line is the answer.
            EXPECT_EQ(host.desktop.visits, 1 + 2 + 5);
            EXPECT_EQ(search.Remembered().MountTamWindow, kNoWindow);
        }
    }
}

TEST(CommandLineSearch, FloatingFrameOfAnyProcessComesBeforeTheTextWindow) {
    HostLayout host;
    host.AddMain(7);
    const WindowRef text = host.desktop.Add(0, kTextTitle, kTextClass, 7);
    host.AddCommandLine(text, 7);
    const WindowRef frame = host.desktop.Add(0, "コマンド ライン", kMainClass, 99);
    const WindowRef floating = host.AddCommandLine(frame, 99);

    HostWindowSearch search(host.desktop);
    EXPECT_EQ(search.FindHostCommandLine(), floating);
    EXPECT_EQ(search.Remembered().CommandLineFrame, frame);
}

TEST(CommandLineSearch, TextWindowOnlyOfTheHostsOwnProcess) {
    HostLayout host;
    host.AddMain(7);
    host.AddCommandLine(host.desktop.Add(0, kTextTitle, kTextClass, 8), 8);
    {
        HostWindowSearch search(host.desktop);
        EXPECT_EQ(search.FindHostCommandLine(), kNoWindow);
        EXPECT_EQ(search.Remembered().HostTextWindow, kNoWindow);
    }
    const WindowRef own = host.desktop.Add(0, kTextTitle, kTextClass, 7);
    const WindowRef line = host.AddCommandLine(own, 7);
    HostWindowSearch search(host.desktop);
    EXPECT_EQ(search.FindHostCommandLine(), line);
    EXPECT_EQ(search.Remembered().HostTextWindow, own);
}

TEST(CommandLineSearch, NoHolderMeansNoCommandLineEvenWithAStrayTopLevelHeadlands) {
    HostLayout host;
    host.AddMain();
    host.desktop.Add(0, "Headlands", "Pane", 3);
    host.desktop.Add(0, "MountTam", "Pane", 3);
    HostWindowSearch search(host.desktop);
    EXPECT_EQ(search.FindHostCommandLine(), kNoWindow);
}

TEST(CommandLineSearch, WithoutAHostNoFrameIsLookedAt) {
    FakeDesktop desktop;
    const WindowRef frame = desktop.Add(0, "コマンド ライン", kMainClass, 5);
    desktop.Add(frame, "Headlands", "Pane", 5);
    HostWindowSearch search(desktop);
    EXPECT_EQ(search.FindHostCommandLine(), kNoWindow);
    EXPECT_EQ(search.Remembered().CommandLineFrame, kNoWindow);
}

TEST(CommandLineSearch, RestartedHostIsFoundAgain) {
    HostLayout host;
    host.AddMain(7);
    const WindowRef oldLine = host.AddCommandLine(host.main, 7);
    HostWindowSearch search(host.desktop);
    ASSERT_EQ(search.FindHostCommandLine(), oldLine);

    host.desktop.CloseAll();
    EXPECT_EQ(search.FindHostCommandLine(), kNoWindow);

    host.AddMain(8);
    const WindowRef newLine = host.AddCommandLine(host.main, 8, false);
    EXPECT_EQ(search.FindHostCommandLine(), newLine);
    EXPECT_EQ(search.Remembered().HostProcessId, 8u);
    // The old sibling must not linger beside the new line.
    EXPECT_EQ(search.Remembered().MountTamWindow, kNoWindow);
}

} // namespace
} // namespace kolvo
