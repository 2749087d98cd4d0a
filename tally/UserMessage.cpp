#include "UserMessage.h"

#include <utility>

namespace kolvo {

namespace {
UserMessageHook& InstalledHook() {
    static UserMessageHook hook;
    return hook;
}
} // namespace

void SetUserMessageHook(UserMessageHook hook) {
    InstalledHook() = std::move(hook);
}

void ShowUserMessage(const std::string& text) {
    if (const UserMessageHook& hook = InstalledHook()) {
        hook(text);
    }
}

} // namespace kolvo
