// The stand-in CAD host started as a program of its own for a test, with its log of everything
// it was sent and asked.
#pragma once

#include "TestFiles.h"
#include "TestText.h"

#include <windows.h>

#include <string>
#include <vector>

namespace kolvo::test {

class StandInProcess {
public:
    // Starts the host with `args` and waits until its windows exist; a host that cannot be
    // started or does not come up fails the test.
    explicit StandInProcess(std::vector<std::wstring> args = {});
    StandInProcess(const StandInProcess&) = delete;
    StandInProcess& operator=(const StandInProcess&) = delete;
    ~StandInProcess();

    bool Started() const { return started_; }
    DWORD Id() const { return process_.dwProcessId; }
    // Ends the host at once, as a crash or the user closing it would.
    void Stop();

    std::vector<std::string> Log() const;
    std::vector<std::string> LogLinesStartingWith(const std::string& start) const;
    // The log line of the last WM_COPYDATA received; empty when none came.
    std::string LastCopyData() const;
    // The hex bytes of each command text received, with its cbData: "cbData=N bytes=...".
    std::vector<std::string> Received() const;

private:
    testing::TTempFolder logFolder_;
    std::wstring logPath_;
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

// What the host log shows for a command text sent to a Unicode host window: UTF-16 LE with its
// NUL, in the form Received gives.
std::string ReceivedUnicode(const std::wstring& text);
// The same for an ANSI host window: the CP932 bytes with their NUL.
std::string ReceivedAnsi(const std::string& text);

} // namespace kolvo::test
