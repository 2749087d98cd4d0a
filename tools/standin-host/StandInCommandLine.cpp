#include "StandInCommandLine.h"

#include "TextCodec.h"

#include <algorithm>

namespace kolvo::standin {

namespace {

constexpr char16_t kCtrlC = 0x0003;
constexpr char16_t kBackspace = 0x0008;

std::u16string Upper(std::u16string_view word) {
    std::u16string upper(word);
    for (char16_t& c : upper) {
        if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - u'a' + u'A');
        }
    }
    return upper;
}

// An option keyword may be typed shortened down to `minLength` letters, in either case.
bool IsKeyword(const std::u16string& word, std::u16string_view keyword, std::size_t minLength) {
    const std::u16string upper = Upper(word);
    return upper.size() >= minLength && upper.size() <= keyword.size() &&
           keyword.substr(0, upper.size()) == upper;
}

std::optional<int> SmallNumber(const std::u16string& word) {
    if (word.empty() || word.size() > 3) {
        return std::nullopt;
    }
    int value = 0;
    for (char16_t c : word) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (c - u'0');
    }
    return value;
}

std::u16string Number(int value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string Unquoted(std::u16string_view name) {
    std::u16string plain;
    for (char16_t c : name) {
        if (c != u'"') {
            plain.push_back(c);
        }
    }
    return plain;
}

} // namespace

std::string ToUtf8(std::u16string_view text) {
    return Utf16ToUtf8(text);
}

CommandLine::CommandLine(const Behaviour& behaviour, ExportFiles& files, LogFn log)
    : behaviour_(behaviour), files_(files), log_(std::move(log)) {}

void CommandLine::Type(std::u16string_view text) {
    for (char16_t c : text) {
        Key(c);
    }
}

void CommandLine::Key(char16_t c) {
    if (state_ == State::Writing) {
        // Busy: what is typed now is executed once the export is over.
        pending_.push_back(c);
        return;
    }
    if (state_ == State::Stuck) {
        return;
    }
    if (c == kCtrlC) {
        Cancel();
        return;
    }
    if (state_ == State::FileDialogOpen) {
        return; // the dialog has the keyboard
    }
    if (c == u'\r' || c == u'\n') {
        Enter();
    } else if (c == u' ' && !(state_ == State::ExportFileName && quoted_)) {
        Enter();
    } else if (c == kBackspace) {
        if (!input_.empty()) {
            input_.pop_back();
        }
    } else if (c >= 0x20) {
        if (c == u'"' && state_ == State::ExportFileName) {
            quoted_ = !quoted_;
        }
        input_.push_back(c);
    }
}

void CommandLine::Become(State state) {
    state_ = state;
    ++serial_;
}

void CommandLine::Note(std::u16string_view text) {
    history_.emplace_back(text);
}

void CommandLine::Log(const std::string& text) const {
    if (log_) {
        log_(text);
    }
}

void CommandLine::Cancel() {
    Note(Line() + u"*キャンセル*");
    input_.clear();
    quoted_ = false;
    currentSelection_ = 0;
    selectionSteps_.clear();
    Become(State::Idle);
}

void CommandLine::Enter() {
    const std::u16string word = input_;
    Note(Line());
    input_.clear();
    quoted_ = false;
    switch (state_) {
    case State::Idle:
        EnterCommand(word);
        break;
    case State::Selecting:
        EnterSelection(word, false);
        break;
    case State::ExportObjects:
        EnterSelection(word, true);
        break;
    case State::FileDialogValue:
        if (word == u"0" || word == u"1") {
            fileDialogs_ = word == u"1";
            Become(State::Idle);
        } else if (word.empty()) {
            Become(State::Idle);
        } else {
            Note(u"0 または 1 を入力してください。");
            Become(State::FileDialogValue);
        }
        break;
    case State::ExportFileName:
        export_.path = Unquoted(word);
        if (export_.path.empty()) {
            export_.path = u"Drawing1.dxf";
        }
        Become(State::ExportOptions);
        break;
    case State::ExportOptions:
        EnterExportOption(word);
        break;
    case State::ExportVersion: {
        const std::u16string version = Upper(word);
        static constexpr std::u16string_view kVersions[] = {u"R12",  u"2000", u"2004", u"2007",
                                                            u"2010", u"2013", u"2018"};
        const bool known =
            std::find(std::begin(kVersions), std::end(kVersions), version) != std::end(kVersions);
        if (known) {
            export_.version = version;
        } else if (!word.empty()) {
            Note(u"バージョンが無効です。");
        }
        Become(known || word.empty() ? State::ExportOptions : State::ExportVersion);
        break;
    }
    case State::ConfirmExport:
    case State::ConfirmOverwrite:
        if (!IsKeyword(word, u"YES", 1)) {
            Note(u"*キャンセル*");
            Become(State::Idle);
        } else if (behaviour_.keepAsking) {
            Become(state_);
        } else if (state_ == State::ConfirmExport) {
            CheckOverwrite();
        } else {
            Become(State::Writing);
        }
        break;
    case State::FileDialogOpen:
    case State::Writing:
    case State::Stuck:
        break;
    }
}

void CommandLine::EnterCommand(const std::u16string& word) {
    const std::u16string command = Upper(word);
    if (command.empty()) {
        ++serial_;
    } else if (command == u"SELECT") {
        currentSelection_ = 0;
        selectionSteps_.clear();
        Become(State::Selecting);
    } else if (command == u"FILEDIA") {
        Become(State::FileDialogValue);
    } else if (command == u"DXFOUT") {
        export_ = ExportRecord{};
        // With file dialogs on, the command opens a dialog instead of asking at the command line.
        Become(fileDialogs_ ? State::FileDialogOpen : State::ExportFileName);
    } else {
        Note(u"不明なコマンド \"" + word + u"\"。");
        ++serial_;
    }
}

void CommandLine::EnterSelection(const std::u16string& word, bool inExport) {
    if (word.empty()) {
        previousSelection_ = currentSelection_;
        if (inExport) {
            export_.objectsOnly = currentSelection_ > 0;
            export_.objectCount = currentSelection_;
            Become(State::ExportOptions);
        } else {
            Become(State::Idle);
        }
        currentSelection_ = 0;
        selectionSteps_.clear();
        return;
    }
    if (IsKeyword(word, u"PREVIOUS", 1)) {
        selectionSteps_.push_back(previousSelection_);
        currentSelection_ += previousSelection_;
        Note(u"検出数: " + Number(previousSelection_));
    } else if (IsKeyword(word, u"UNDO", 1)) {
        if (!selectionSteps_.empty()) {
            currentSelection_ -= selectionSteps_.back();
            selectionSteps_.pop_back();
        }
    } else {
        Note(u"*無効な選択*");
    }
    ++serial_;
}

void CommandLine::EnterExportOption(const std::u16string& word) {
    if (IsKeyword(word, u"OBJECTS", 1)) {
        currentSelection_ = 0;
        selectionSteps_.clear();
        Become(State::ExportObjects);
    } else if (IsKeyword(word, u"VERSION", 1)) {
        Become(State::ExportVersion);
    } else if (IsKeyword(word, u"BINARY", 1)) {
        export_.binary = true;
        BeginExport();
    } else if (word.empty()) {
        BeginExport();
    } else if (const auto places = SmallNumber(word); places && *places <= 16) {
        export_.decimalPlaces = *places;
        BeginExport();
    } else {
        Note(u"0 から 16 までの整数またはオプション キーワードを入力してください。");
        Become(State::ExportOptions);
    }
}

void CommandLine::BeginExport() {
    if (behaviour_.askBeforeExport) {
        Become(State::ConfirmExport);
    } else {
        CheckOverwrite();
    }
}

void CommandLine::CheckOverwrite() {
    Become(files_.Exists(export_.path) ? State::ConfirmOverwrite : State::Writing);
}

void CommandLine::TimerFired() {
    if (state_ == State::Selecting) {
        // The user picked objects and pressed Enter.
        selectionSteps_.push_back(behaviour_.pickedObjects);
        currentSelection_ += behaviour_.pickedObjects;
        Note(Line() + u"(ユーザーが選択)");
        EnterSelection(u"", false);
    } else if (state_ == State::Writing) {
        FinishExport();
    }
}

void CommandLine::FinishExport() {
    export_.written = !behaviour_.writeNoFile && files_.Write(export_.path);
    exports_.push_back(export_);
    Log("export path=" + ToUtf8(export_.path) + " version=" + ToUtf8(export_.version) + " places=" +
        std::to_string(export_.decimalPlaces) + " binary=" + (export_.binary ? "yes" : "no") +
        " objects=" + (export_.objectsOnly ? std::to_string(export_.objectCount) : "all") +
        " written=" + (export_.written ? "yes" : "no"));
    if (!export_.written) {
        Note(u"ファイルを書き出せませんでした。");
    }
    if (behaviour_.neverReturnToPrompt) {
        Become(State::Stuck);
        return;
    }
    Become(State::Idle);
    const std::u16string typed = std::move(pending_);
    pending_.clear();
    Type(typed);
}

int CommandLine::TimerDelayMs() const {
    if (state_ == State::Selecting) {
        return behaviour_.selectionDelayMs;
    }
    if (state_ == State::Writing) {
        return behaviour_.exportDelayMs;
    }
    return -1;
}

std::u16string CommandLine::Prompt() const {
    switch (state_) {
    case State::Idle:
        return std::u16string(kIdlePrompt);
    case State::Selecting:
    case State::ExportObjects:
        return u"オブジェクトを選択: ";
    case State::FileDialogValue:
        return fileDialogs_ ? u"FILEDIA の新しい値を入力 <1>: " : u"FILEDIA の新しい値を入力 <0>: ";
    case State::FileDialogOpen:
        return u"[ファイル ダイアログを表示中 - Ctrl+C で閉じる]";
    case State::ExportFileName:
        return u"ファイル名を入力 <Drawing1.dxf>: ";
    case State::ExportOptions:
        return u"精度の小数点以下の桁数を入力 (0-16) または "
               u"[オブジェクト(O)/バージョン(V)/バイナリ(B)] <16>: ";
    case State::ExportVersion:
        return u"DXF のバージョンを入力 [R12/2000/2004/2007/2010/2013/2018] <2018>: ";
    case State::ConfirmExport:
        return u"選択したオブジェクトを DXF に書き出しますか? [はい(Y)/いいえ(N)] <N>: ";
    case State::ConfirmOverwrite:
        return u"ファイルは既に存在します。置き換えますか? [はい(Y)/いいえ(N)] <N>: ";
    case State::Writing:
    case State::Stuck:
        break;
    }
    return std::u16string(kExportingLine);
}

std::u16string CommandLine::Line() const {
    if ((state_ == State::Writing || state_ == State::Stuck) && behaviour_.emptyLineDuringExport) {
        return {};
    }
    if (state_ == State::Writing || state_ == State::Stuck || state_ == State::FileDialogOpen) {
        return Prompt();
    }
    return Prompt() + input_;
}

} // namespace kolvo::standin
