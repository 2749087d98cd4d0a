#include "WinComponents.h"

#include <algorithm>
#include <vector>

namespace kolvo {

namespace {

// The live forms; user-interface thread only.
std::vector<TFormComponent*>& Forms() {
    static std::vector<TFormComponent*> forms;
    return forms;
}

} // namespace

TFormComponent::TFormComponent(HWND handle) : TWinComponent(nullptr, handle) {
    Forms().push_back(this);
}

TFormComponent::~TFormComponent() {
    std::erase(Forms(), this);
}

TFormComponent* FormOfWindow(HWND window) {
    const HWND desktop = GetDesktopWindow();
    for (HWND at = window; at != nullptr && at != desktop; at = GetAncestor(at, GA_PARENT)) {
        const auto found =
            std::find_if(Forms().begin(), Forms().end(),
                         [at](const TFormComponent* f) { return f->Handle() == at; });
        if (found != Forms().end()) {
            return *found;
        }
    }
    return nullptr;
}

} // namespace kolvo
