#include "WorkFolder.h"

#include "FileNames.h"
#include "ShiftJis.h"

#include <algorithm>
#include <cstdio>

namespace kolvo {

const std::string_view SettingsSection = "初期化";
const std::string_view SettingsKey = "保存名";

std::string TimeStampDigits(const LocalTime& time) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d%02d%02d%02d%02d%02d", time.year % 100, time.month,
                  time.day, time.hour, time.minute, time.second);
    return digits;
}

namespace {

bool EndsWithDelimiter(std::string_view path) {
    return !path.empty() && SjisFindLastChar(path, '\\') == path.size() - 1;
}

} // namespace

std::string ChooseAppDataFolder(std::string_view shellFolder, std::string_view environmentAppData,
                                std::string_view tempFolder) {
    std::string_view chosen = !shellFolder.empty()          ? shellFolder
                              : !environmentAppData.empty() ? environmentAppData
                                                            : tempFolder;
    if (EndsWithDelimiter(chosen)) {
        chosen.remove_suffix(1);
    }
    return std::string(chosen);
}

std::string WorkFolderFor(std::string_view appDataFolder) {
    return std::string(appDataFolder) + "\\Vantorel\\";
}

std::string BaseNameFor(std::string_view workFolder, const LocalTime& time) {
    return std::string(workFolder) + TimeStampDigits(time) + ".scr";
}

std::string SettingsPathFor(std::string_view workFolder, std::string_view executablePath) {
    std::size_t nameStart = 0;
    for (char delimiter : {'\\', '/', ':'}) {
        const std::size_t at = SjisFindLastChar(executablePath, delimiter);
        if (at != std::string_view::npos) {
            nameStart = std::max(nameStart, at + 1);
        }
    }
    return std::string(workFolder) + ChangeFileExt(executablePath.substr(nameStart), ".Ini");
}

std::string SettingsValueFromBuffer(std::string_view bufferText) {
    std::size_t pos = 0;
    while (pos < bufferText.size()) {
        if (IsSjisLeadByte(static_cast<unsigned char>(bufferText[pos]))) {
            if (pos + 1 == bufferText.size()) {
                return std::string(bufferText.substr(0, pos));
            }
            pos += 2;
        } else {
            ++pos;
        }
    }
    return std::string(bufferText);
}

std::string SettingsWriteFailedMessage(std::string_view settingsPath) {
    return std::string(settingsPath) + " に書き込めません";
}

} // namespace kolvo
