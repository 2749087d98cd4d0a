// The command line of the stand-in CAD host: what it does with every character it is sent.
//
// Texts arrive whole (one WM_COPYDATA each) and are executed as if typed: U+0003 cancels, CR ends
// an input, and a space ends one too except inside a quoted file name. It knows the few commands
// a quantity run types: SELECT (the "user" picks and presses Enter after a delay), FILEDIA and
// DXFOUT with its file name, version, objects and decimal-places inputs, the export questions and
// the export itself, which takes a while and then writes the file. It can be told to misbehave
// in the ways a real host may: never come back to the prompt, write no file, show an empty line
// while exporting, or keep asking.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kolvo::standin {

struct Behaviour {
    int selectionDelayMs = 2000; // until the "user" has picked and pressed Enter
    int exportDelayMs = 500;     // from the last answer until the file is written
    int pickedObjects = 12;      // what the "user" picks
    bool askBeforeExport = false;
    bool neverReturnToPrompt = false;
    bool writeNoFile = false;
    bool emptyLineDuringExport = false;
    bool keepAsking = false;
};

// Where an export goes.
class ExportFiles {
public:
    virtual ~ExportFiles() = default;
    virtual bool Exists(const std::u16string& path) = 0;
    // Writes the drawing to `path`; false when it could not.
    virtual bool Write(const std::u16string& path) = 0;
};

struct ExportRecord {
    std::u16string path;
    std::u16string version = u"2018";
    int decimalPlaces = 16;
    bool binary = false;
    bool objectsOnly = false;
    int objectCount = 0;
    bool written = false;
};

inline constexpr std::u16string_view kIdlePrompt = u"コマンド: ";
inline constexpr std::u16string_view kExportingLine = u"DXF ファイルを書き出し中...";

class CommandLine {
public:
    using LogFn = std::function<void(const std::string&)>;

    CommandLine(const Behaviour& behaviour, ExportFiles& files, LogFn log = {});

    // Executes `text` as typed.
    void Type(std::u16string_view text);
    // Called when the delay asked for by TimerDelayMs has passed.
    void TimerFired();

    // The current command-line line: the prompt and what has been typed after it.
    std::u16string Line() const;
    // Lines already finished, oldest first.
    const std::vector<std::u16string>& History() const { return history_; }

    // Milliseconds to wait before TimerFired, or -1 when nothing is waited for. A change of
    // TimerSerial means any running timer must be started afresh.
    int TimerDelayMs() const;
    unsigned TimerSerial() const { return serial_; }

    bool FileDialogs() const { return fileDialogs_; }
    int PreviousSelection() const { return previousSelection_; }
    const std::vector<ExportRecord>& Exports() const { return exports_; }

private:
    enum class State {
        Idle,
        Selecting,
        FileDialogValue,
        FileDialogOpen,
        ExportFileName,
        ExportOptions,
        ExportVersion,
        ExportObjects,
        ConfirmExport,
        ConfirmOverwrite,
        Writing,
        Stuck,
    };

    void Key(char16_t c);
    void Enter();
    void Cancel();
    void Become(State state);
    void EnterCommand(const std::u16string& word);
    void EnterSelection(const std::u16string& word, bool inExport);
    void EnterExportOption(const std::u16string& word);
    void BeginExport();
    void CheckOverwrite();
    void FinishExport();
    std::u16string Prompt() const;
    void Note(std::u16string_view text);
    void Log(const std::string& text) const;

    Behaviour behaviour_;
    ExportFiles& files_;
    LogFn log_;
    State state_ = State::Idle;
    std::u16string input_;
    bool quoted_ = false;
    std::u16string pending_; // typed while the host was busy exporting
    std::vector<std::u16string> history_;
    unsigned serial_ = 0;
    bool fileDialogs_ = true;
    int previousSelection_ = 0;
    int currentSelection_ = 0;
    std::vector<int> selectionSteps_;
    ExportRecord export_;
    std::vector<ExportRecord> exports_;
};

// UTF-8 form of a UTF-16 text, for logs.
std::string ToUtf8(std::u16string_view text);

} // namespace kolvo::standin
