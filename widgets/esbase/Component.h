// Components and their owner, as form descriptions build them: an owner lists the components it
// owns (a form lists every control on it), a component knows when it is being loaded from a
// description or destroyed, and the owner's components hear when one of them goes away. The
// owner does not free what it owns: whoever creates a component keeps it.
#pragma once

#include <string>
#include <vector>

namespace kolvo {

class TComponent {
public:
    explicit TComponent(TComponent* owner = nullptr);
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;
    virtual ~TComponent();

    TComponent* Owner() const { return owner_; }
    const std::vector<TComponent*>& Components() const { return components_; }
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    // Between BeginLoading and Loaded the component's properties are being set from a
    // description; it does not react to them yet.
    bool Loading() const { return loading_; }
    bool Destroying() const { return destroying_; }
    virtual void BeginLoading() { loading_ = true; }
    virtual void Loaded();

protected:
    // Called on the owner and on every other component of the owner when `component` leaves
    // it, so that nobody keeps a reference to it.
    virtual void ComponentRemoved(TComponent* component);
    // A derived destructor marks the component first, so that nothing it does on its way out
    // reacts as if it were alive.
    void MarkDestroying() { destroying_ = true; }

private:
    void Remove(TComponent* component);

    TComponent* owner_;
    std::vector<TComponent*> components_;
    std::string name_;
    bool loading_ = false;
    bool destroying_ = false;
};

} // namespace kolvo
