// A Windows program started by a test as a user starts it, and ended with the test whatever
// becomes of it.
#pragma once

#include <windows.h>

#include <string>

namespace kolvo::test {

class TProgramProcess {
public:
    // Starts `exe` with its quoted path as the command line; a program that cannot be started
    // fails the test.
    explicit TProgramProcess(const std::string& exe);
    TProgramProcess(const TProgramProcess&) = delete;
    TProgramProcess& operator=(const TProgramProcess&) = delete;
    // Ends the program if it is still running.
    ~TProgramProcess();

    bool Started() const { return process_.hProcess != nullptr; }
    DWORD Id() const { return process_.dwProcessId; }

    // The first visible top-level window of class `windowClass` that the program shows within a
    // generous while; null when none came.
    HWND WaitForWindow(const char* windowClass) const;

    // The program's exit code once it has ended; -1 when it did not end within a generous while
    // (it is ended then).
    long WaitForExit();

private:
    PROCESS_INFORMATION process_{};
};

} // namespace kolvo::test
