// What the program does with the display components at its start and end: it opens the string
// reader's own messages (ESSRMGR_STRINGS) and the component string table
// (PALOMIRE_STRINGS_ENGLISH) from its resources, and registers the attached label class for form
// descriptions. A table that cannot be opened does not stop the program (nothing in the dialog
// needs it); the reason goes to the debugger output as a line starting "Kolvo: string table".
#pragma once

#include "EsStringResource.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace kolvo {

// The readers of the running session; nullptr outside one or when the table could not be opened.
TEsStringResource* StringManagerStrings();
TEsStringResource* ComponentStrings();

// A reader of the table `name` for the program, or nullptr when it cannot be opened; then the
// reason is written to the debugger output and stored in `failure`.
std::unique_ptr<TEsStringResource> OpenProgramStringTable(HMODULE module, const std::string& name,
                                                          std::string* failure = nullptr);

// Lives from program start to program end (one in WinMain).
class EsComponentsSession {
public:
    explicit EsComponentsSession(HMODULE module = GetModuleHandleA(nullptr));
    EsComponentsSession(const EsComponentsSession&) = delete;
    EsComponentsSession& operator=(const EsComponentsSession&) = delete;
    ~EsComponentsSession();

    // Why a table could not be opened, one line each; empty when both opened.
    const std::vector<std::string>& Failures() const { return failures_; }

private:
    std::unique_ptr<TEsStringResource> managerStrings_;
    std::unique_ptr<TEsStringResource> componentStrings_;
    std::vector<std::string> failures_;
};

} // namespace kolvo
