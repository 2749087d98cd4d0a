// The stand-in CAD host started as a program of its own for a test, with its log of everything
// it was sent.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kolvo::test {

// A path the build gives in its own terms as a Windows path (a Unix path is on drive Z:).
std::string WindowsPath(std::string path);

class StandInProcess {
public:
    // Starts the host with `args` (CP932 texts) and waits until its windows exist.
    explicit StandInProcess(const std::vector<std::string>& args);
    StandInProcess(const StandInProcess&) = delete;
    StandInProcess& operator=(const StandInProcess&) = delete;
    ~StandInProcess();

    bool Started() const { return started_; }
    // Ends the host at once, as a crash or the user closing it would.
    void Stop();

    std::vector<std::string> Log() const;
    // The hex bytes of each WM_COPYDATA record received, with its cbData: "cbData=N bytes=...".
    std::vector<std::string> Received() const;

private:
    std::wstring logPath_;
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

// What the host log shows for a command text sent to a Unicode host window: UTF-16 LE with its
// NUL, in the form Received gives.
std::string ReceivedUnicode(const std::wstring& text);

} // namespace kolvo::test
