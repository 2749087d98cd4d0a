#include "StandInProcess.h"

#include <sstream>

namespace kolvo::test {

namespace {

std::wstring Wide(const std::string& ansi) {
    if (ansi.empty()) {
        return {};
    }
    const int units = MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), nullptr, 0);
    std::wstring wide(size_t(units), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), wide.data(), units);
    return wide;
}

std::string Hex(const unsigned char* bytes, size_t size) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string hex;
    for (size_t i = 0; i < size; ++i) {
        hex.push_back(digits[bytes[i] >> 4]);
        hex.push_back(digits[bytes[i] & 15]);
    }
    return hex;
}

} // namespace

std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path;
    }
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

StandInProcess::StandInProcess(const std::vector<std::string>& args) {
    static int serial = 0;
    const std::wstring tag =
        std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    logPath_ = std::wstring(temp) + L"kolvo-run-host-" + tag + L".log";
    DeleteFileW(logPath_.c_str());
    const std::wstring eventName = L"kolvo-run-host-ready-" + tag;
    const HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());

    std::wstring commandLine = L"\"" + Wide(WindowsPath(KOLVO_STANDIN_HOST)) + L"\"";
    for (const std::string& arg : args) {
        commandLine += L" \"" + Wide(arg) + L"\"";
    }
    commandLine += L" \"--log=" + logPath_ + L"\" \"--ready-event=" + eventName + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process_)) {
        const HANDLE waitFor[] = {ready, process_.hProcess};
        started_ = WaitForMultipleObjects(2, waitFor, FALSE, 30000) == WAIT_OBJECT_0;
    }
    CloseHandle(ready);
}

StandInProcess::~StandInProcess() {
    Stop();
    DeleteFileW(logPath_.c_str());
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
    const HANDLE file =
        CreateFileW(logPath_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return lines;
    }
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        text.append(buffer, read);
    }
    CloseHandle(file);
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> StandInProcess::Received() const {
    const std::string start = "copydata dwData=1 ";
    std::vector<std::string> received;
    for (const std::string& line : Log()) {
        if (line.rfind(start, 0) == 0) {
            received.push_back(line.substr(start.size()));
        }
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
    return "cbData=" + std::to_string(bytes.size()) +
           " bytes=" + Hex(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

} // namespace kolvo::test
