#include "StandInProcess.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <type_traits>

namespace kolvo::test {

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

} // namespace

StandInProcess::StandInProcess(std::vector<std::wstring> args) {
    static int serial = 0;
    const std::wstring tag =
        std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
    logPath_ = Wide(logFolder_.File("standin.log"));
    const std::wstring eventName = L"kolvo-standin-ready-" + tag;
    const UniqueHandle ready(CreateEventW(nullptr, TRUE, FALSE, eventName.c_str()));

    args.push_back(L"--log=" + logPath_);
    args.push_back(L"--ready-event=" + eventName);
    std::wstring commandLine = L"\"" + Wide(WindowsPath(KOLVO_STANDIN_HOST)) + L"\"";
    for (const std::wstring& arg : args) {
        commandLine += L" \"" + arg + L"\"";
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_)) {
        ADD_FAILURE() << "cannot start the stand-in host, error " << GetLastError();
        return;
    }
    const HANDLE waitFor[] = {ready.get(), process_.hProcess};
    const DWORD woke = WaitForMultipleObjects(2, waitFor, FALSE, 30000);
    EXPECT_EQ(woke, WAIT_OBJECT_0) << "the stand-in host did not come up";
    started_ = woke == WAIT_OBJECT_0;
}

StandInProcess::~StandInProcess() {
    Stop(); // before the log's folder goes
}

void StandInProcess::Stop() {
    if (process_.hProcess != nullptr) {
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, 30000);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
        process_ = {};
    }
}

std::vector<std::string> StandInProcess::Log() const {
    std::vector<std::string> lines;
    // The host may still be writing: share the file with it.
    const HANDLE opened =
        CreateFileW(logPath_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        return lines;
    }
    const UniqueHandle file(opened);
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
        text.append(buffer, read);
    }
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> StandInProcess::LogLinesStartingWith(const std::string& start) const {
    std::vector<std::string> found;
    for (const std::string& line : Log()) {
        if (line.rfind(start, 0) == 0) {
            found.push_back(line);
        }
    }
    return found;
}

std::string StandInProcess::LastCopyData() const {
    const std::vector<std::string> lines = LogLinesStartingWith("copydata ");
    return lines.empty() ? std::string() : lines.back();
}

std::vector<std::string> StandInProcess::Received() const {
    const std::string start = "copydata dwData=1 ";
    std::vector<std::string> received;
    for (const std::string& line : LogLinesStartingWith(start)) {
        received.push_back(line.substr(start.size()));
    }
    return received;
}

std::string ReceivedUnicode(const std::wstring& text) {
    std::string bytes;
    for (wchar_t unit : text) {
        bytes.push_back(char(unit & 0xFF));
        bytes.push_back(char((unit >> 8) & 0xFF));
    }
    bytes.append(2, '\0');
    return "cbData=" + std::to_string(bytes.size()) + " bytes=" + Hex(bytes);
}

std::string ReceivedAnsi(const std::string& text) {
    const std::string bytes = text + '\0';
    return "cbData=" + std::to_string(bytes.size()) + " bytes=" + Hex(bytes);
}

} // namespace kolvo::test
