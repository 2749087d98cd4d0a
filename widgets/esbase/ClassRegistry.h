// The class registry that form descriptions create controls from: a class name and the factory
// that makes a new instance for an owner. Lives for the whole program; user-interface thread only.
#pragma once

#include "Component.h"

#include <functional>
#include <memory>
#include <string>

namespace kolvo {

using ComponentFactory = std::function<std::unique_ptr<TComponent>(TComponent* owner)>;

// False, and the registry unchanged, when a class of that name is registered already.
bool RegisterComponentClass(const std::string& name, ComponentFactory factory);
bool IsComponentClassRegistered(const std::string& name);
// A new instance of the named class; nullptr for a name nobody registered.
std::unique_ptr<TComponent> CreateComponent(const std::string& name, TComponent* owner);
// Forgets a class (for tests that register their own).
void UnregisterComponentClass(const std::string& name);

} // namespace kolvo
