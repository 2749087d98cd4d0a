// What the main dialog asks of the system. The program passes the real services; tests pass
// their own folders, clock and stand-ins for the modal dialogs.
#pragma once

#include "Acad11ACtrl.h"
#include "WorkFolder.h"

#include <windows.h>

#include <functional>
#include <string>

namespace kolvo {

struct DialogServices {
    // The application-data folder (already with its fallbacks), asked for at dialog creation.
    std::function<std::string(HWND applicationWindow)> appDataFolder;
    std::function<std::string()> executablePath;
    std::function<LocalTime()> localTime;
    // Shows the save dialog; true with the chosen full path when the user confirms it.
    std::function<bool(HWND owner, std::string& path)> browseForSave;
    // A modal error message with the application title.
    std::function<void(HWND owner, const std::string& text)> showError;
    // A modal message with an OK button and the application title, for the fixed texts the
    // quantity run shows (no report name, a summary that cannot be created).
    std::function<void(HWND owner, const std::string& text)> showMessage;
    // Paints the run's notice onto the host's command-line window.
    std::function<void(HWND window, const std::string& text)> paintNotice;
    // Hands each command text to the host main window; tests play a host that refuses or does
    // not answer through it.
    CommandDelivery deliverCommand = DeliverCopyData;
    // The question with Yes and No (warning icon, the application title); true for Yes. It has no
    // owner, so that the dialog stays usable while it is up.
    std::function<bool(const std::string& text)> askYesNo;
    // Opens a document with the user's program for its kind (the check page in the browser).
    std::function<void(const std::string& path)> openDocument;
};

// The services of the real program: shell folder, running executable, local clock, the
// system's save dialog (SaveDialog1) and message box.
DialogServices SystemDialogServices();

} // namespace kolvo
