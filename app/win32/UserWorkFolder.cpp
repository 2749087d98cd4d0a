#include "UserWorkFolder.h"

#include "Shell.h"

namespace kolvo {

UserWorkFolder UserWorkFolder::Open(std::string_view appDataFolder,
                                    const std::function<LocalTime()>& clock) {
    UserWorkFolder folder;
    folder.path_ = WorkFolderFor(appDataFolder);
    CreateFolderWithParents(folder.path_);
    folder.baseName_ = BaseNameFor(folder.path_, clock());
    return folder;
}

} // namespace kolvo
