// The main dialog "配筋の集計値を得る": report name field, browse, close and execute buttons under
// the banner. It lays out its controls and handles them; the work folder (UserWorkFolder), the
// settings file (SettingsFile) and the quantity run's operations (DialogRunEnvironment) are units
// of their own that it uses.
#pragma once

#include "DialogServices.h"
#include "QuantityRun.h"
#include "UserWorkFolder.h"
#include "WinHandles.h"
#include "plButton.h"

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

namespace kolvo {

// Child-control identifiers. None is IDOK or IDCANCEL: the dialog has no default or cancel
// button, so Enter and Esc press nothing.
enum KolvoControlId : int {
    IdEsScrollingMarquee1 = 101,
    IdLabel1 = 102,
    IdButton1 = 103,
    IdEdit1 = 104,
    IdPlButton2 = 105,
    IdPlButton1 = 106,
    IdButton2 = 107,
};

enum class ControlKind { Banner, Label, PushButton, GradientButton, Edit };

// One control of the dialog: position and size in client pixels at 96 dots per inch.
struct ControlLayout {
    const char* name;
    KolvoControlId id;
    ControlKind kind;
    int left, top, width, height;
    const char* text;
    int tabOrder; // -1: not a tab stop
};

// The controls in tab order, then those that take no focus.
extern const ControlLayout KolvoControls[7];

extern const std::string_view ApplicationTitle; // "属性値を得る"
// Kolvo compares the host's window titles and command line with CP932 texts through the
// system's 8-bit functions, so on any other system code page nothing of the host matches.
constexpr unsigned JapaneseCodePage = 932;
extern const std::string_view CodePageMessage;
extern const std::string_view DialogCaption;  // "配筋の集計値を得る"
extern const std::string_view DialogFontName; // "ＭＳ Ｐゴシック"
constexpr int DialogFontHeight = 12;          // pixels, character height
constexpr int DialogClientWidth = 263;
constexpr int DialogClientHeight = 133;
extern const char DialogClassName[]; // "TKolvoZokuSeiF"

class TEsScrollingMarquee;

class TKolvoZokuSeiF {
public:
    // Creates the dialog hidden, centred on the screen, and runs FormCreate. `owner` is the
    // application window (may be null); when `endsProgram`, destroying the dialog ends the
    // message loop.
    TKolvoZokuSeiF(HINSTANCE instance, HWND owner, DialogServices services, bool endsProgram);
    TKolvoZokuSeiF(const TKolvoZokuSeiF&) = delete;
    TKolvoZokuSeiF& operator=(const TKolvoZokuSeiF&) = delete;
    ~TKolvoZokuSeiF();

    HWND Handle() const { return window_.Get(); }
    bool Created() const { return static_cast<bool>(window_); }
    HWND Control(KolvoControlId id) const { return GetDlgItem(window_.Get(), id); }
    // The banner has no window of its own: it paints on the dialog.
    TEsScrollingMarquee& EsScrollingMarquee1() const { return *esScrollingMarquee1_; }
    void Show();
    // Closes as the close box does: FormClose, then the window goes.
    void Close();
    // The quantity run steps aside while the user works in the CAD host: the dialog goes to the
    // task bar together with the application window, and comes back from there.
    void Minimize();
    void Restore();

    // State the quantity run works with.
    const std::string& WorkFolder() const { return workFolder_.Path(); }
    const std::string& BaseName() const { return workFolder_.BaseName(); }
    std::string SettingsPath() const;
    std::string ReportName() const; // Edit1's text
    void SetReportName(std::string_view name);
    // The paths of the latest quantity run (empty before the first).
    const RunPaths& LastRun() const { return lastRun_; }
    // A quantity run is waiting for the host, or analysing.
    bool Running() const { return running_; }
    // The dialog was asked to close while a run was under way; it closes once the run is over.
    bool Closing() const { return closing_; }

    // Event handlers.
    // Dialog creation: empties Edit1, opens the work folder and loads the remembered report name.
    void FormCreate();
    // Whenever the dialog closes: writes Edit1's text to the settings file.
    void FormClose();
    void Button1Click(); // "参照": browse for the report name with SaveDialog1
    void Button5Click(); // "閉じる": close the dialog
    void Button4Click(); // "実　行": one quantity run
    void Button2Click(); // "解析": below the visible area; does nothing

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    // Stops the banner's timer while the dialog is minimised or hidden, starts it again after.
    void PauseBanner(bool paused);
    // Answers No to the Yes/No questions of this thread that are up.
    void EndQuestions();

    HINSTANCE instance_;
    HWND owner_;
    DialogServices services_;
    bool endsProgram_;
    FontHandle font_;
    WindowHandle window_;
    std::unique_ptr<TEsScrollingMarquee> esScrollingMarquee1_;
    UserWorkFolder workFolder_;
    // "実　行" and "閉じる"; their windows go with the dialog's.
    TplButton plButton1_;
    TplButton plButton2_;
    HWND lastFocus_ = nullptr; // the control that had the focus when the dialog was left
    RunPaths lastRun_;
    bool running_ = false;
    bool closing_ = false;
};

} // namespace kolvo
