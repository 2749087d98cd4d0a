// The stand-in CAD host: a small Win32 program that plays the host's side of the dialogue with
// Kolvo, for the tests and for the demo.
//
// Its main window carries an accepted title and class and takes command texts by WM_COPYDATA;
// its command line is a window titled "Headlands" beside one titled "MountTam", docked in the
// main window, in a floating frame or in a text window. Asked for its text, "Headlands" answers
// with the current command-line line (in CP932 to an 8-bit caller) while the title the system
// keeps for it stays "Headlands". Options are listed in StandInOptions.h.
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "StandInCommandLine.h"
#include "StandInOptions.h"
#include "TextCodec.h"

namespace kolvo::standin {
namespace {

enum class Role : LONG_PTR { None, Main, Frame, TextWindow, Bar, Headlands, MountTam };

constexpr UINT_PTR kTimerId = 1;
constexpr int kLineHeight = 20;
const char16_t* const kPaneClass = u"KolvoStandInPane";
const char16_t* const kFrameClass = u"Afx:00400000:8:00010011:00000000:00000000";
const char16_t* const kTextWindowClass = u"Afx:00400000:b:00010003:00000006:00000000";

std::wstring Wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

std::string Cp932(std::u16string_view text) {
    return Utf16ToCp932(text);
}

std::u16string FromCp932(std::string_view text) {
    return Cp932ToUtf16(text);
}

class Log {
public:
    explicit Log(const std::u16string& path) {
        if (!path.empty()) {
            file_ = CreateFileW(Wide(path).c_str(), FILE_APPEND_DATA,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
        }
    }
    ~Log() {
        if (file_ != INVALID_HANDLE_VALUE) {
            CloseHandle(file_);
        }
    }
    Log(const Log&) = delete;
    Log& operator=(const Log&) = delete;

    // Written straight to the file, so a reader sees each line as soon as the message that
    // caused it has been answered.
    void Line(const std::string& text) const {
        if (file_ == INVALID_HANDLE_VALUE) {
            return;
        }
        const std::string line = text + "\n";
        DWORD written = 0;
        WriteFile(file_, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

class DiskFiles final : public ExportFiles {
public:
    explicit DiskFiles(std::u16string drawing) : drawing_(std::move(drawing)) {}

    bool Exists(const std::u16string& path) override {
        return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    bool Write(const std::u16string& path) override {
        if (!drawing_.empty()) {
            return CopyFileW(Wide(drawing_).c_str(), Wide(path).c_str(), FALSE) != FALSE;
        }
        static constexpr char kEmptyDrawing[] =
            "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
        const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return false;
        }
        DWORD written = 0;
        const BOOL ok = WriteFile(file, kEmptyDrawing, sizeof kEmptyDrawing - 1, &written, nullptr);
        CloseHandle(file);
        return ok != FALSE && written == sizeof kEmptyDrawing - 1;
    }

private:
    std::u16string drawing_;
};

struct Host {
    Options options;
    std::unique_ptr<Log> log;
    std::unique_ptr<DiskFiles> files;
    std::unique_ptr<CommandLine> commandLine;
    HWND main = nullptr;
    HWND headlands = nullptr;
    HWND mountTam = nullptr;
    HFONT font = nullptr;
    unsigned timerSerial = ~0u;
};

Host* host = nullptr;

LRESULT DefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return host->options.ansi ? DefWindowProcA(window, message, wParam, lParam)
                              : DefWindowProcW(window, message, wParam, lParam);
}

Role RoleOf(HWND window) {
    return static_cast<Role>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

std::string Hex(const unsigned char* bytes, std::size_t size) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (std::size_t i = 0; i < size; ++i) {
        hex.push_back(kDigits[bytes[i] >> 4]);
        hex.push_back(kDigits[bytes[i] & 15]);
    }
    return hex;
}

// Starts, restarts or stops the one timer the command line may be waiting on, and shows the
// new state.
void Refresh() {
    CommandLine& commandLine = *host->commandLine;
    if (commandLine.TimerSerial() != host->timerSerial) {
        host->timerSerial = commandLine.TimerSerial();
        KillTimer(host->main, kTimerId);
        if (const int delay = commandLine.TimerDelayMs(); delay >= 0) {
            SetTimer(host->main, kTimerId, static_cast<UINT>(std::max(delay, 1)), nullptr);
        }
    }
    for (HWND pane : {host->main, host->headlands, host->mountTam}) {
        if (pane) {
            InvalidateRect(pane, nullptr, TRUE);
        }
    }
}

void Receive(const COPYDATASTRUCT& record) {
    const auto* bytes = static_cast<const unsigned char*>(record.lpData);
    const std::size_t size = bytes ? record.cbData : 0;
    host->log->Line("copydata dwData=" + std::to_string(record.dwData) +
                    " cbData=" + std::to_string(record.cbData) + " bytes=" + Hex(bytes, size));
    if (record.dwData != 1) {
        return;
    }
    if (host->options.hang) {
        // A host busy for good: the sender waits until it gives up, or until the test ends us.
        Sleep(INFINITE);
    }
    std::u16string text;
    if (host->options.ansi) {
        const auto* chars = reinterpret_cast<const char*>(bytes);
        text = FromCp932(std::string_view(chars, strnlen(chars, size)));
    } else {
        for (std::size_t i = 0; i + 1 < size; i += 2) {
            const char16_t unit = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
            if (unit == 0) {
                break;
            }
            text.push_back(unit);
        }
    }
    host->commandLine->Type(text);
    Refresh();
}

// What "Headlands" says when asked for its text: the command-line line, not its title.
LRESULT AnswerTextLength() {
    const std::u16string line = host->commandLine->Line();
    const std::size_t length = host->options.ansi ? Cp932(line).size() : line.size();
    host->log->Line("gettextlength " + std::to_string(length));
    return static_cast<LRESULT>(length);
}

LRESULT AnswerText(WPARAM limit, LPARAM buffer) {
    host->log->Line("gettext limit=" + std::to_string(limit));
    if (limit == 0 || buffer == 0) {
        return 0;
    }
    const std::u16string line = host->commandLine->Line();
    if (host->options.ansi) {
        const std::string text = Cp932(line);
        const std::size_t count = std::min<std::size_t>(text.size(), limit - 1);
        auto* out = reinterpret_cast<char*>(buffer);
        std::copy_n(text.data(), count, out);
        out[count] = '\0';
        return static_cast<LRESULT>(count);
    }
    const std::size_t count = std::min<std::size_t>(line.size(), limit - 1);
    auto* out = reinterpret_cast<wchar_t*>(buffer);
    std::copy_n(line.data(), count, out);
    out[count] = L'\0';
    return static_cast<LRESULT>(count);
}

// The drawing area shows what a test or a demo watcher wants to know about the host's state.
std::vector<std::u16string> StatusLines() {
    const CommandLine& commandLine = *host->commandLine;
    std::vector<std::u16string> lines{u"スタンドイン CAD ホスト",
                                      commandLine.FileDialogs() ? u"FILEDIA: 1" : u"FILEDIA: 0"};
    const std::string picked = std::to_string(commandLine.PreviousSelection());
    lines.push_back(u"前回の選択: " + std::u16string(picked.begin(), picked.end()) + u" 個");
    if (!commandLine.Exports().empty()) {
        const ExportRecord& last = commandLine.Exports().back();
        lines.push_back((last.written ? u"書き出し済み: " : u"書き出し失敗: ") + last.path);
    }
    return lines;
}

void PaintPane(HWND window, Role role) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    const HGDIOBJ oldFont = SelectObject(dc, host->font);
    RECT area;
    GetClientRect(window, &area);
    SetBkMode(dc, TRANSPARENT);
    if (role == Role::Main) {
        SetTextColor(dc, RGB(255, 255, 255));
        int y = 8;
        for (const std::u16string& text : StatusLines()) {
            const std::wstring line = Wide(text);
            TextOutW(dc, 8, y, line.c_str(), static_cast<int>(line.size()));
            y += kLineHeight;
        }
    } else if (role == Role::Headlands) {
        const std::wstring line = Wide(host->commandLine->Line());
        TextOutW(dc, 4, 2, line.c_str(), static_cast<int>(line.size()));
    } else if (role == Role::MountTam) {
        const auto& history = host->commandLine->History();
        int y = area.bottom - kLineHeight;
        for (auto it = history.rbegin(); it != history.rend() && y > -kLineHeight; ++it) {
            const std::wstring line = Wide(*it);
            TextOutW(dc, 4, y, line.c_str(), static_cast<int>(line.size()));
            y -= kLineHeight;
        }
    }
    SelectObject(dc, oldFont);
    EndPaint(window, &paint);
}

// A window that holds the command line gives it its lower part (or all of it).
void LayOut(HWND window, Role role) {
    const HWND bar = FindWindowExW(window, nullptr, reinterpret_cast<LPCWSTR>(kPaneClass), nullptr);
    RECT area;
    GetClientRect(window, &area);
    if (bar && role != Role::Bar) {
        const int height = role == Role::Main ? 4 * kLineHeight : area.bottom;
        MoveWindow(bar, 0, area.bottom - height, area.right, height, TRUE);
    }
    if (role == Role::Bar) {
        if (host->mountTam && GetParent(host->mountTam) == window) {
            MoveWindow(host->mountTam, 0, 0, area.right, area.bottom - kLineHeight - 4, TRUE);
        }
        if (host->headlands && GetParent(host->headlands) == window) {
            MoveWindow(host->headlands, 0, area.bottom - kLineHeight - 4, area.right,
                       kLineHeight + 4, TRUE);
        }
    }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // lpCreateParams sits at the same place in the A and the W form of the record.
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        return DefaultProc(window, message, wParam, lParam);
    }
    const Role role = RoleOf(window);
    switch (message) {
    case WM_NULL:
        if (role == Role::Main) {
            host->log->Line("null");
        }
        break;
    case WM_ACTIVATE:
        // Tests see that the host was brought to the front even when another window of the
        // test run takes the foreground right after.
        if (role == Role::Main && LOWORD(wParam) != WA_INACTIVE) {
            host->log->Line("activated");
        }
        break;
    case WM_COPYDATA:
        if (role == Role::Main) {
            Receive(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
            return TRUE;
        }
        break;
    case WM_GETTEXTLENGTH:
        if (role == Role::Headlands) {
            return AnswerTextLength();
        }
        break;
    case WM_GETTEXT:
        if (role == Role::Headlands) {
            return AnswerText(wParam, lParam);
        }
        break;
    case WM_TIMER:
        if (role == Role::Main && wParam == kTimerId) {
            KillTimer(window, kTimerId);
            host->timerSerial = ~0u;
            host->commandLine->TimerFired();
            Refresh();
            return 0;
        }
        break;
    case WM_PAINT:
        if (role == Role::Main || role == Role::Headlands || role == Role::MountTam) {
            PaintPane(window, role);
            return 0;
        }
        break;
    case WM_SIZE:
        LayOut(window, role);
        break;
    case WM_CLOSE:
        if (role == Role::Main) {
            DestroyWindow(window);
        }
        return 0;
    case WM_DESTROY:
        if (role == Role::Main) {
            PostQuitMessage(0);
        }
        return 0;
    default:
        break;
    }
    return DefaultProc(window, message, wParam, lParam);
}

void Register(const std::u16string& name, int background) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    // A second registration of one name (a main class chosen equal to another) fails harmlessly:
    // every window shares the one procedure.
    if (host->options.ansi) {
        const std::string ansiName = Cp932(name);
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background + 1));
        wc.lpszClassName = ansiName.c_str();
        RegisterClassExA(&wc);
    } else {
        const std::wstring wideName = Wide(name);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background + 1));
        wc.lpszClassName = wideName.c_str();
        RegisterClassExW(&wc);
    }
}

HWND Create(const std::u16string& className, const std::u16string& title, DWORD style, HWND parent,
            Role role, int width, int height) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    auto* param = reinterpret_cast<void*>(static_cast<LONG_PTR>(role));
    const int x = parent ? 0 : CW_USEDEFAULT;
    if (host->options.ansi) {
        return CreateWindowExA(0, Cp932(className).c_str(), Cp932(title).c_str(), style, x, 0,
                               width, height, parent, nullptr, instance, param);
    }
    return CreateWindowExW(0, Wide(className).c_str(), Wide(title).c_str(), style, x, 0, width,
                           height, parent, nullptr, instance, param);
}

// The command line: a bar holding "MountTam" (the history) above "Headlands" (the current line).
void CreateCommandLine(HWND holder) {
    const Options& options = host->options;
    const HWND bar = Create(kPaneClass, u"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, holder,
                            Role::Bar, 100, 100);
    if (options.mountTam) {
        host->mountTam =
            Create(kPaneClass, u"MountTam", WS_CHILD | WS_VISIBLE, bar, Role::MountTam, 100, 60);
    }
    host->headlands = Create(kPaneClass, options.headlandsTitle, WS_CHILD | WS_VISIBLE, bar,
                             Role::Headlands, 100, kLineHeight);
    RECT area;
    GetClientRect(holder, &area);
    LayOut(holder, RoleOf(holder));
    LayOut(bar, Role::Bar);
}

int Run(const Options& options) {
    Host state;
    host = &state;
    state.options = options;
    state.log = std::make_unique<Log>(options.log);
    state.files = std::make_unique<DiskFiles>(options.drawing);
    state.commandLine = std::make_unique<CommandLine>(
        options.behaviour, *state.files, [](const std::string& line) { host->log->Line(line); });
    state.font = CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             FIXED_PITCH | FF_MODERN, L"MS Gothic");

    Register(options.className, COLOR_APPWORKSPACE);
    Register(kPaneClass, COLOR_WINDOW);
    Register(kFrameClass, COLOR_BTNFACE);
    Register(kTextWindowClass, COLOR_WINDOW);

    const DWORD topStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    state.main = Create(options.className, options.title, topStyle, nullptr, Role::Main, 720, 480);
    if (!state.main) {
        return 2;
    }
    HWND holder = nullptr;
    switch (options.commandLine) {
    case CommandLinePlace::Docked:
        holder = state.main;
        break;
    case CommandLinePlace::Floating:
        holder = Create(kFrameClass, options.frameTitle,
                        WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME | WS_CLIPCHILDREN, nullptr,
                        Role::Frame, 640, 140);
        break;
    case CommandLinePlace::TextWindow:
        holder = Create(kTextWindowClass, options.textWindowTitle, topStyle, nullptr,
                        Role::TextWindow, 640, 320);
        break;
    case CommandLinePlace::None:
        break;
    }
    if (holder) {
        CreateCommandLine(holder);
    }
    ShowWindow(state.main, SW_SHOWNORMAL);
    if (holder && holder != state.main) {
        // Over the lower part of the main window, where a user would have left it.
        RECT mainArea;
        GetWindowRect(state.main, &mainArea);
        const bool frame = options.commandLine == CommandLinePlace::Floating;
        SetWindowPos(holder, HWND_TOP, mainArea.left + (frame ? 40 : 60),
                     frame ? mainArea.bottom - 160 : mainArea.top + 140, 0, 0, SWP_NOSIZE);
        ShowWindow(holder, SW_SHOWNORMAL);
    }
    UpdateWindow(state.main);
    Refresh();

    if (!options.readyEvent.empty()) {
        if (const HANDLE ready =
                OpenEventW(EVENT_MODIFY_STATE, FALSE, Wide(options.readyEvent).c_str())) {
            SetEvent(ready);
            CloseHandle(ready);
        }
    }

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(state.font);
    host = nullptr;
    return 0;
}

} // namespace
} // namespace kolvo::standin

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::u16string> args;
    for (int i = 1; argv && i < count; ++i) {
        const std::wstring arg = argv[i];
        args.emplace_back(arg.begin(), arg.end());
    }
    LocalFree(argv);

    kolvo::standin::Options options;
    std::string error;
    if (!kolvo::standin::ParseOptions(args, options, error)) {
        // No message box: a test that passed a wrong option must fail, not wait for a click.
        std::fprintf(stderr, "standin-host: %s\n", error.c_str());
        return 1;
    }
    return kolvo::standin::Run(options);
}
