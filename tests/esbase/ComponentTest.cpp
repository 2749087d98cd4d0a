// Owners and their components, and the class registry that form descriptions create from.
#include "ClassRegistry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kolvo {
namespace {

class Watcher : public TComponent {
public:
    explicit Watcher(TComponent* owner = nullptr, std::string name = {}) : TComponent(owner) {
        SetName(std::move(name));
    }
    std::vector<std::string> removed;

protected:
    void ComponentRemoved(TComponent* component) override { removed.push_back(component->Name()); }
};

TEST(Component, OwnerListsItsComponentsAndAllHearWhenOneLeaves) {
    Watcher form;
    Watcher first(&form, "first");
    auto second = std::make_unique<Watcher>(&form, "second");
    Watcher third(&form, "third");
    ASSERT_EQ(form.Components(), (std::vector<TComponent*>{&first, second.get(), &third}));
    second.reset();
    EXPECT_EQ(form.Components(), (std::vector<TComponent*>{&first, &third}));
    const std::vector<std::string> gone = {"second"};
    EXPECT_EQ(form.removed, gone);
    EXPECT_EQ(first.removed, gone);
    EXPECT_EQ(third.removed, gone);

    auto owner = std::make_unique<Watcher>();
    Watcher orphan(owner.get());
    owner.reset();
    EXPECT_EQ(orphan.Owner(), nullptr) << "an owner that goes first leaves no dangling link";

    orphan.BeginLoading();
    EXPECT_TRUE(orphan.Loading());
    orphan.Loaded();
    EXPECT_FALSE(orphan.Loading());
}

TEST(ClassRegistry, NamesCreateTheirClassAndTheFirstRegistrationStays) {
    UnregisterComponentClass("TWatcher");
    EXPECT_FALSE(IsComponentClassRegistered("TWatcher"));
    EXPECT_EQ(CreateComponent("TWatcher", nullptr), nullptr);

    int made = 0;
    EXPECT_TRUE(RegisterComponentClass("TWatcher", [&made](TComponent* owner) {
        ++made;
        return std::make_unique<Watcher>(owner);
    }));
    EXPECT_FALSE(RegisterComponentClass(
        "TWatcher", [](TComponent*) -> std::unique_ptr<TComponent> { return nullptr; }));

    Watcher form;
    const std::unique_ptr<TComponent> created = CreateComponent("TWatcher", &form);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(created->Owner(), &form);
    EXPECT_EQ(form.Components(), std::vector<TComponent*>{created.get()});
    UnregisterComponentClass("TWatcher");
}

} // namespace
} // namespace kolvo
