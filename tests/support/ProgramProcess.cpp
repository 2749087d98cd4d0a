#include "ProgramProcess.h"

#include <gtest/gtest.h>

#include "ProcessWindows.h"

namespace kolvo::test {

TProgramProcess::TProgramProcess(const std::string& exe) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process_)) {
        ADD_FAILURE() << "cannot start " << exe << ": error " << GetLastError();
        process_ = {};
    }
}

TProgramProcess::~TProgramProcess() {
    if (process_.hProcess == nullptr) {
        return;
    }
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 30000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND TProgramProcess::WaitForWindow(const char* windowClass) const {
    HWND window = nullptr;
    WaitFor([&] {
        window = FindProcessWindow(process_.dwProcessId, windowClass);
        return window != nullptr;
    });
    return window;
}

long TProgramProcess::WaitForExit() {
    if (process_.hProcess == nullptr) {
        return -1;
    }
    if (WaitForSingleObject(process_.hProcess, 30000) != WAIT_OBJECT_0) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 30000);
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
}

} // namespace kolvo::test
