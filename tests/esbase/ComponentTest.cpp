// Owners and their components, and the class registry that form descriptions create from.
#include "ClassRegistry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kolvo {
namespace {

// Records the names of the components that left its owner.
class Watcher : public TComponent {
public:
    explicit Watcher(TComponent* owner = nullptr, std::string name = {}) : TComponent(owner) {
        SetName(std::move(name));
    }
    std::vector<std::string> removed;

protected:
    void ComponentRemoved(TComponent* component) override { removed.push_back(component->Name()); }
};

TEST(Component, EveryoneOnTheOwnerHearsWhenOneLeaves) {
    auto form = std::make_unique<Watcher>();
    Watcher first(form.get(), "first");
    auto second = std::make_unique<Watcher>(form.get(), "second");
    second.reset();
    EXPECT_EQ(form->Components(), std::vector<TComponent*>{&first});
    EXPECT_EQ(form->removed, std::vector<std::string>{"second"});
    EXPECT_EQ(first.removed, std::vector<std::string>{"second"});
    form.reset();
    EXPECT_EQ(first.Owner(), nullptr) << "an owner that goes first leaves no dangling link";
}

TEST(ClassRegistry, NamesCreateTheirClassAndTheFirstRegistrationStays) {
    UnregisterComponentClass("TWatcher");
    EXPECT_EQ(CreateComponent("TWatcher", nullptr), nullptr);
    EXPECT_TRUE(RegisterComponentClass(
        "TWatcher", [](TComponent* owner) { return std::make_unique<Watcher>(owner, "made"); }));
    EXPECT_FALSE(RegisterComponentClass(
        "TWatcher", [](TComponent*) -> std::unique_ptr<TComponent> { return nullptr; }));
    EXPECT_TRUE(IsComponentClassRegistered("TWatcher"));

    Watcher form;
    const std::unique_ptr<TComponent> created = CreateComponent("TWatcher", &form);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->Name(), "made");
    EXPECT_EQ(created->Owner(), &form);
    UnregisterComponentClass("TWatcher");
}

} // namespace
} // namespace kolvo
