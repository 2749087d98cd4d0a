// The current user's work folder for this program start: it holds the settings file and the DXF
// export, whose time-stamped base name is fixed once, when the folder is opened.
#pragma once

#include "WorkFolder.h"

#include <functional>
#include <string>
#include <string_view>

namespace kolvo {

class UserWorkFolder {
public:
    UserWorkFolder() = default;

    // appDataFolder + "\Vantorel\", created with any missing parents, then the base name from
    // the clock. A folder that cannot be created is not reported: the export and the settings
    // file fail where they are written.
    static UserWorkFolder Open(std::string_view appDataFolder,
                               const std::function<LocalTime()>& clock);

    // Ends with a backslash; empty before Open.
    const std::string& Path() const { return path_; }
    // Path() + "yymmddhhnnss.scr"; the run replaces the extension with ".dxf".
    const std::string& BaseName() const { return baseName_; }
    // The settings file, named after the running executable.
    std::string SettingsPath(std::string_view executablePath) const {
        return SettingsPathFor(path_, executablePath);
    }

private:
    std::string path_;
    std::string baseName_;
};

} // namespace kolvo
