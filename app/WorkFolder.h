// Where the program keeps its files: the per-user work folder, the time-stamped base name of the
// DXF export and the settings file. Paths are CP932 bytes; a 0x5C that is the second byte of a
// double-byte character (表, ソ, ...) is never taken for a path delimiter.
#pragma once

#include <string>
#include <string_view>

namespace kolvo {

// The settings file: one section with one key, read into a buffer of this many bytes.
extern const std::string_view SettingsSection; // "初期化"
extern const std::string_view SettingsKey;     // "保存名"
constexpr unsigned SettingsValueBufferSize = 2048;

// A local date and time as the clock gives it (year in full, month and day from 1).
struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Twelve digits "yymmddhhnnss": two-digit year, month, day, hour (00-23), minute, second.
std::string TimeStampDigits(const LocalTime& time);

// The application-data folder to use: the shell's answer, else the APPDATA environment
// variable, else the temporary folder; empty arguments count as unavailable. A trailing
// backslash is dropped, since the work folder appends its own.
std::string ChooseAppDataFolder(std::string_view shellFolder, std::string_view environmentAppData,
                                std::string_view tempFolder);

// appDataFolder + "\Vantorel\".
std::string WorkFolderFor(std::string_view appDataFolder);

// workFolder + TimeStampDigits(time) + ".scr". The run replaces the extension with ".dxf".
std::string BaseNameFor(std::string_view workFolder, const LocalTime& time);

// The settings file: in the work folder, named after the running executable's file name with
// its extension replaced by ".Ini" (C:\Tools\Kolvo.exe gives <work folder>Kolvo.Ini).
std::string SettingsPathFor(std::string_view workFolder, std::string_view executablePath);

// A value as read from the settings file into the fixed buffer: a value longer than the buffer
// comes back cut, and a cut inside a double-byte character would leave a lone lead byte at the
// end, which the field would show as garbage and the next close would write back. That byte is
// dropped.
std::string SettingsValueFromBuffer(std::string_view bufferText);

// The message shown when the settings file cannot be written: "<path> に書き込めません".
std::string SettingsWriteFailedMessage(std::string_view settingsPath);

} // namespace kolvo
