#include "Application.h"
#include "DialogServices.h"
#include "Notice.h"
#include "Shell.h"
#include "TextCodec.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

namespace kolvo {

namespace {

// SaveDialog1: no filter, no default extension, no initial folder or file, the system's title.
bool ShowSaveDialog(HWND owner, std::string& path) {
    std::vector<char> file(4096, '\0');
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = DWORD(file.size());
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    if (!GetSaveFileNameA(&dialog)) {
        return false;
    }
    path = file.data();
    return true;
}

} // namespace

DialogServices SystemDialogServices() {
    DialogServices services;
    services.appDataFolder = [](HWND applicationWindow) {
        return ChooseAppDataFolder(GetSpecialFolderPath(applicationWindow, CSIDL_APPDATA),
                                   EnvironmentVariable("APPDATA"), TempFolder());
    };
    services.executablePath = ExecutablePath;
    services.localTime = CurrentLocalTime;
    services.browseForSave = ShowSaveDialog;
    services.showError = [](HWND owner, const std::string& text) {
        App().ShowMessage(owner, text, MB_OK | MB_ICONERROR);
    };
    services.showMessage = [](HWND owner, const std::string& text) {
        App().ShowMessage(owner, text, MB_OK);
    };
    services.paintNotice = [](HWND window, const std::string& text) { PaintNotice(window, text); };
    services.askYesNo = [](const std::string& text) {
        // Over the always-on-top dialog, and in front though the host has the foreground.
        return App().ShowMessage(nullptr, text,
                                 MB_YESNO | MB_ICONWARNING | MB_TOPMOST | MB_SETFOREGROUND) ==
               IDYES;
    };
    services.openDocument = [](const std::string& path) {
        ShellExecuteW(nullptr, L"open", Cp932ToWide(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    };
    return services;
}

} // namespace kolvo
