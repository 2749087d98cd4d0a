// The settings file: a profile file in the work folder that remembers the report name between
// program starts, in section "初期化", key "保存名", as CP932 text.
#pragma once

#include <string>

namespace kolvo {

// The remembered report name; empty when the file, the section or the key is absent. At most
// SettingsValueBufferSize - 1 bytes come back, never ending inside a double-byte character.
std::string ReadSavedReportName(const std::string& settingsPath);

// Writes the report name, also when it is empty; false when the file cannot be written.
bool WriteSavedReportName(const std::string& settingsPath, const std::string& reportName);

} // namespace kolvo
