// kolvo-demo: one quantity run played as a user would, for a demonstration or a smoke test.
//
//   kolvo-demo STANDIN-HOST.exe DRAWING.dxf KOLVO.exe REPORT-NAME
//
// Starts the stand-in CAD host with the drawing its export writes, starts Kolvo.exe, types the
// report name into the dialog's field and presses "実　行"; the stand-in host picks objects by
// itself. It waits until the run is over and exits 0 when the summary exists, leaving both
// programs running so that the desktop can be looked at. Messages are ASCII.
#include "ProcessWindows.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

using kolvo::test::FindProcessWindow;
using kolvo::test::WaitFor;

constexpr int ReportNameField = 104; // Edit1
constexpr int ExecuteButton = 106;   // "実　行"

bool Start(const std::wstring& commandLine, PROCESS_INFORMATION& process) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring line = commandLine;
    return CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process) != FALSE;
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The summary for a report name: ".csv" in place of the extension of the file name, if any.
std::wstring SummaryPath(const std::wstring& name) {
    const size_t cut = name.find_last_of(L"\\/:.");
    if (cut != std::wstring::npos && name[cut] == L'.') {
        return name.substr(0, cut) + L".csv";
    }
    return name + L".csv";
}

int Fail(const char* what) {
    std::fprintf(stderr, "kolvo-demo: %s\n", what);
    return 1;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 5) {
        std::fprintf(stderr,
                     "usage: kolvo-demo STANDIN-HOST.exe DRAWING.dxf KOLVO.exe REPORT-NAME\n");
        return 2;
    }
    const std::wstring hostProgram = argv[1];
    const std::wstring drawing = argv[2];
    const std::wstring kolvoProgram = argv[3];
    const std::wstring reportName = argv[4];

    const std::wstring readyName =
        L"kolvo-demo-host-ready-" + std::to_wstring(GetCurrentProcessId());
    const HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, readyName.c_str());
    PROCESS_INFORMATION host{};
    // Today's host; the "user" takes a second and a half to pick the bars in it.
    if (!Start(L"\"" + hostProgram +
                   L"\" --modern --select-delay=1500 --export-delay=500 \"--drawing=" + drawing +
                   L"\" \"--ready-event=" + readyName + L"\"",
               host)) {
        return Fail("cannot start the stand-in CAD host");
    }
    const HANDLE hostUp[] = {ready, host.hProcess};
    if (WaitForMultipleObjects(2, hostUp, FALSE, 60000) != WAIT_OBJECT_0) {
        return Fail("the stand-in CAD host did not come up");
    }
    std::printf("stand-in CAD host started\n");

    PROCESS_INFORMATION kolvo{};
    if (!Start(L"\"" + kolvoProgram + L"\"", kolvo)) {
        return Fail("cannot start Kolvo.exe");
    }
    HWND dialog = nullptr;
    if (!WaitFor(
            [&] {
                dialog = FindProcessWindow(kolvo.dwProcessId, "TKolvoZokuSeiF");
                return dialog != nullptr && IsWindowVisible(dialog);
            },
            60000)) {
        return Fail("the Kolvo dialog did not appear");
    }
    std::printf("Kolvo.exe started\n");

    SendMessageW(GetDlgItem(dialog, ReportNameField), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(reportName.c_str()));
    PostMessageW(GetDlgItem(dialog, ExecuteButton), BM_CLICK, 0, 0);
    std::printf("pressed the execute button\n");

    // The dialog steps aside while the host is driven and comes back for the analysis; once it
    // answers a message again, the analysis is over too.
    WaitFor([&] { return !IsWindowVisible(dialog); }, 5000);
    if (!WaitFor([&] { return IsWindowVisible(dialog) != FALSE; }, 180000)) {
        return Fail("the run did not end");
    }
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 120000, &answer)) {
        return Fail("Kolvo.exe does not answer after the run");
    }
    if (!IsFile(SummaryPath(reportName))) {
        return Fail("the run wrote no summary");
    }
    std::printf("the run is over and the summary is written\n");
    CloseHandle(ready);
    return 0;
}
