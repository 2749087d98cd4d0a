#include "ClassRegistry.h"

#include <map>

namespace kolvo {

namespace {

std::map<std::string, ComponentFactory>& Registry() {
    static std::map<std::string, ComponentFactory> registry;
    return registry;
}

} // namespace

bool RegisterComponentClass(const std::string& name, ComponentFactory factory) {
    return Registry().try_emplace(name, std::move(factory)).second;
}

bool IsComponentClassRegistered(const std::string& name) {
    return Registry().contains(name);
}

std::unique_ptr<TComponent> CreateComponent(const std::string& name, TComponent* owner) {
    const auto found = Registry().find(name);
    return found == Registry().end() ? nullptr : found->second(owner);
}

void UnregisterComponentClass(const std::string& name) {
    Registry().erase(name);
}

} // namespace kolvo
