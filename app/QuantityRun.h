// The quantity run: one press of "実　行" drives the CAD host through selection and DXF export,
// runs the analysis and leaves a notice on the host's command line.
//
// The sequence lives here, free of the windowing system, so that every step and every command
// text can be checked against a fake host; the dialog supplies the real operations.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "CommandText.h"
#include "FileNames.h"
#include "Notes.h"

namespace kolvo {

// The host's idle command-line prompt, "コマンド: " in CP932 (10 bytes).
extern const std::string_view IdlePrompt;

// The texts typed at the host, each sent whole in one message.
extern const std::u16string_view SelectPreviousText; // Ctrl-C, "SELECT P", CR, "U", CR, CR
extern const std::u16string_view StartSelectText;    // Ctrl-C, "SELECT "
extern const std::u16string_view FileDialogsOffText; // "FILEDIA 0 "
extern const std::u16string_view AnswerYesText;      // "Y", CR
extern const std::u16string_view FileDialogsOnText;  // "FILEDIA 1 "

// The export command for `dxfPath` as CP932 bytes: DXFOUT "<path>" CR "VER 2000 OBJ PREV " CR "16
// ".
std::string ExportCommandText(std::string_view dxfPath);

// What the run shows when it cannot work, instead of ending in silence or waiting hidden.
extern const std::string_view HostNotFoundMessage;        // no host main window
extern const std::string_view CommandLineNotFoundMessage; // a host, but no command line
extern const std::string_view HostRefusedMessage;         // the host runs with higher rights
extern const std::string_view HostNotAnsweringMessage;    // the host did not take a command

// What the run shows after the notice: the check page that could not be written (followed by its
// path), and the question when something needs a look.
extern const std::string_view PageNotWrittenMessage;
std::string LookQuestionText(const TLookCounts& counts);

// The check page beside the summary: its extension replaced by ".check.html".
std::string CheckPagePath(std::string_view reportPath);

// What the analysis of a run leaves for the run to show.
struct TRunAnalysis {
    bool Reported = false;    // both reports were written
    bool PageWritten = false; // and the check page beside them
    TLookCounts Look;         // what needs a look
};

// Polls of the export wait before the run goes on regardless (200 ms each, about two minutes).
constexpr int ExportWaitPolls = 600;

// What one poll of the export wait does with the command-line text it read.
struct ExportPollAction {
    int answers = 0;   // how often "Y" is typed in this poll (once per question shown)
    bool done = false; // the export wait ends
};
ExportPollAction DecideExportPoll(std::string_view commandLine);

// Opaque handle of the window that receives the notice; 0 when none was found.
using NoticeWindow = std::uintptr_t;

// What the run needs from the dialog, the host and the file system.
class RunEnvironment {
public:
    virtual ~RunEnvironment() = default;

    virtual std::string ReportName() = 0; // the report-name field as typed
    virtual void ShowError(const std::string& message) = 0;
    virtual void MinimiseDialog() = 0;
    virtual void RestoreDialog() = 0;
    virtual void DeleteFileIfAny(const std::string& path) = 0;
    virtual bool FileExists(const std::string& path) = 0;

    virtual bool ActivateHost() = 0;
    virtual NoticeWindow FindCommandLine() = 0;
    virtual SendOutcome TypeCommand(std::u16string_view text) = 0;
    // CP932 bytes to UTF-16, through the system's ANSI code page.
    virtual std::u16string AnsiToUtf16(std::string_view text) = 0;
    virtual std::string ReadCommandLine() = 0;
    // Sleeps 200 ms, then lets the dialog handle its pending messages.
    virtual void Pause() = 0;
    // True when the program is closing or the host's main window is gone: nobody is left to
    // end the selection.
    virtual bool SelectionAbandoned() = 0;
    virtual bool ProgramClosing() = 0;

    // The analysis: the reports, then the check page at `pagePath`.
    virtual TRunAnalysis Analyse(const std::string& dxfPath, const std::string& reportPath,
                                 const std::string& pagePath) = 0;
    virtual void PaintNotice(NoticeWindow window, const std::string& text) = 0;
    // The question with Yes and No; true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    // Opens the check page with the user's program for it.
    virtual void OpenPage(const std::string& path) = 0;
};

// Paths a run works with; they stay after the run for the dialog to show or reuse.
struct RunPaths {
    std::string dxfPath;
    std::string reportPath;
    std::string pagePath;
};

// Runs one quantity run. Errors of the analysis propagate to the caller, which reports them.
// A run that cannot reach the host (none, no command line, a host that refuses or does not take
// a command) ends with the dialog restored and its message shown; nothing is typed after the
// failure but "FILEDIA 1 " when the file dialogs had been switched off. After the notice, a check
// page that could not be written is said, or else, when something needs a look, the user is asked
// whether to open the page. Returns the paths used (empty when the report name was empty).
RunPaths RunQuantity(RunEnvironment& env, std::string_view baseName);

} // namespace kolvo
