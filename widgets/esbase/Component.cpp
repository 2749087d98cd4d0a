#include "Component.h"

#include <algorithm>

namespace kolvo {

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_ != nullptr) {
        owner_->components_.push_back(this);
    }
}

TComponent::~TComponent() {
    destroying_ = true;
    for (TComponent* component : components_) {
        component->owner_ = nullptr;
    }
    if (owner_ != nullptr) {
        owner_->Remove(this);
    }
}

void TComponent::Loaded() {
    loading_ = false;
}

void TComponent::ComponentRemoved(TComponent*) {}

void TComponent::Remove(TComponent* component) {
    std::erase(components_, component);
    ComponentRemoved(component);
    // A copy: a component may react by leaving as well.
    const std::vector<TComponent*> others = components_;
    for (TComponent* other : others) {
        other->ComponentRemoved(component);
    }
}

} // namespace kolvo
