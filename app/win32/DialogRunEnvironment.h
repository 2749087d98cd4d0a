// The quantity run's operations on the real desktop: the main dialog, the CAD host's windows,
// the file system and the analysis. One exists for each run; while it does, the messages the
// analysis has for the user are message boxes over the dialog.
#pragma once

#include "QuantityRun.h"

#include <windows.h>

namespace kolvo {

class TKolvoZokuSeiF;
struct DialogServices;

class DialogRunEnvironment final : public RunEnvironment {
public:
    DialogRunEnvironment(TKolvoZokuSeiF& form, const DialogServices& services);
    DialogRunEnvironment(const DialogRunEnvironment&) = delete;
    DialogRunEnvironment& operator=(const DialogRunEnvironment&) = delete;
    ~DialogRunEnvironment() override;

    std::string ReportName() override;
    void ShowError(const std::string& message) override;
    void MinimiseDialog() override;
    void RestoreDialog() override;
    void DeleteFileIfAny(const std::string& path) override;
    bool FileExists(const std::string& path) override;

    bool ActivateHost() override;
    NoticeWindow FindCommandLine() override;
    SendOutcome TypeCommand(std::u16string_view text) override;
    std::u16string AnsiToUtf16(std::string_view text) override;
    std::string ReadCommandLine() override;
    void Pause() override;
    bool SelectionAbandoned() override;
    bool ProgramClosing() override;

    TRunAnalysis Analyse(const std::string& dxfPath, const std::string& reportPath,
                         const std::string& pagePath) override;
    void PaintNotice(NoticeWindow window, const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    void OpenPage(const std::string& path) override;

private:
    TKolvoZokuSeiF& form_;
    const DialogServices& services_;
    HWND host_ = nullptr; // the host main window brought to the front for this run
};

// How long each wait of the run sleeps before it looks at the host again.
inline constexpr DWORD RunPollMilliseconds = 200;

} // namespace kolvo
