#include "DialogRunEnvironment.h"

#include "Acad11ACtrl.h"
#include "Analysis.h"
#include "Application.h"
#include "CheckOutputs.h"
#include "Errors.h"
#include "FileNames.h"
#include "KolvoZokuseiU.h"
#include "LocalClock.h"
#include "Notes.h"
#include "OutputFiles.h"
#include "TextCodec.h"

namespace kolvo {

DialogRunEnvironment::DialogRunEnvironment(TKolvoZokuSeiF& form, const DialogServices& services)
    : form_(form), services_(services) {}

DialogRunEnvironment::~DialogRunEnvironment() = default;

std::string DialogRunEnvironment::ReportName() {
    return form_.ReportName();
}

void DialogRunEnvironment::ShowError(const std::string& message) {
    if (services_.showMessage) {
        services_.showMessage(form_.Handle(), message);
    }
}

void DialogRunEnvironment::MinimiseDialog() {
    form_.Minimize();
}

void DialogRunEnvironment::RestoreDialog() {
    form_.Restore();
}

void DialogRunEnvironment::DeleteFileIfAny(const std::string& path) {
    // No file or a file in use: the run goes on, and finds out from what exists afterwards.
    DeleteFileA(path.c_str());
}

bool DialogRunEnvironment::FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DialogRunEnvironment::ActivateHost() {
    if (!kolvo::ActivateHost()) {
        return false;
    }
    host_ = FindHostMainWindow();
    return host_ != nullptr;
}

NoticeWindow DialogRunEnvironment::FindCommandLine() {
    return reinterpret_cast<NoticeWindow>(FindHostCommandLine());
}

SendOutcome DialogRunEnvironment::TypeCommand(std::u16string_view text) {
    return DeliverCommand(std::wstring(text.begin(), text.end()), services_.deliverCommand);
}

std::u16string DialogRunEnvironment::AnsiToUtf16(std::string_view text) {
    return Cp932ToUtf16(text);
}

std::string DialogRunEnvironment::ReadCommandLine() {
    return kolvo::ReadCommandLine();
}

void DialogRunEnvironment::Pause() {
    Sleep(RunPollMilliseconds);
    App().ProcessMessages(form_.Handle());
}

bool DialogRunEnvironment::SelectionAbandoned() {
    // The host that was asked to select is gone: nobody will ever end the selection.
    return ProgramClosing() || host_ == nullptr || !IsWindow(host_);
}

bool DialogRunEnvironment::ProgramClosing() {
    return form_.Closing() || App().Quitting();
}

TRunAnalysis DialogRunEnvironment::Analyse(const std::string& dxfPath,
                                           const std::string& reportPath,
                                           const std::string& pagePath) {
    TRunAnalysis result;
    TAnalysis analysis;
    try {
        analysis = AnalyseAndReport(dxfPath, reportPath, TTraceKeeping::Everything);
    } catch (const ECreateError& error) {
        // The one failure of the analysis that is a fixed message of the run, not an error
        // report: a summary that cannot be created.
        if (services_.showMessage) {
            services_.showMessage(form_.Handle(), error.what());
        }
        return result;
    }
    result.Reported = true;
    // The page of the same analysis beside the reports, named after the summary and the export
    // it came from (the host's drawing has no name here).
    TCheckPageInfo info;
    info.DrawingName = SystemNameToUtf8(CommandLineFileName(reportPath) + " (" +
                                        CommandLineFileName(dxfPath) + ")");
    info.MadeAt = LocalTimeText();
    info.MmPerUnit = 1.0;
    result.PageWritten =
        WriteFileSet({{pagePath, CheckPageText(analysis, info)}}, dxfPath).Written();
    result.Look = NeedsALook(analysis);
    return result;
}

void DialogRunEnvironment::PaintNotice(NoticeWindow window, const std::string& text) {
    if (services_.paintNotice) {
        services_.paintNotice(reinterpret_cast<HWND>(window), text);
    }
}

bool DialogRunEnvironment::AskYesNo(const std::string& text) {
    return services_.askYesNo && services_.askYesNo(text);
}

void DialogRunEnvironment::OpenPage(const std::string& path) {
    if (services_.openDocument) {
        services_.openDocument(path);
    }
}

} // namespace kolvo
