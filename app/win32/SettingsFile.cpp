#include "SettingsFile.h"

#include "WorkFolder.h"

#include <windows.h>

#include <vector>

namespace kolvo {

std::string ReadSavedReportName(const std::string& settingsPath) {
    std::vector<char> value(SettingsValueBufferSize, '\0');
    GetPrivateProfileStringA(std::string(SettingsSection).c_str(), std::string(SettingsKey).c_str(),
                             "", value.data(), DWORD(value.size()), settingsPath.c_str());
    return SettingsValueFromBuffer(value.data());
}

bool WriteSavedReportName(const std::string& settingsPath, const std::string& reportName) {
    return WritePrivateProfileStringA(std::string(SettingsSection).c_str(),
                                      std::string(SettingsKey).c_str(), reportName.c_str(),
                                      settingsPath.c_str()) != FALSE;
}

} // namespace kolvo
