// A form's components: made in creation order, loaded once all exist, destroyed in
// reverse, and nothing left behind when any of that fails.
#include "widgets/controls/FormComponents.h"
#include "widgets/win32/OwnedWindow.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

std::vector<std::string> journal;
std::string failingMake, failingLoad;   // the components whose making or loading fails

// A control on a static window.
class Probe : public Control {
public:
    explicit Probe(const ComponentCreation& creation) : Control(creation)
    {
        CreateHandle("STATIC", 0, Name(), Scale(Description().height));
        journal.push_back("make " + Name());
        if (Name() == failingMake)
            throw std::runtime_error("Cannot create control " + Name());
    }
    ~Probe() override { journal.push_back("destroy " + Name()); }

    void Loaded() override
    {
        journal.push_back("load " + Name());
        if (Name() == failingLoad)
            throw std::runtime_error("Cannot load " + Name());
    }
};

// A component without a window.
class Watcher : public Component {
public:
    explicit Watcher(const ComponentCreation& creation) : Component(creation.description)
    {
        journal.push_back("make " + Name());
    }
    ~Watcher() override { journal.push_back("destroy " + Name()); }
    void Loaded() override { journal.push_back("load " + Name()); }
};

// Rows of the caption class make watchers; all others make probes.
std::unique_ptr<Component> MakeProbes(const ComponentCreation& creation)
{
    if (creation.description.As<GradientCaptionSettings>())
        return std::make_unique<Watcher>(creation);
    return std::make_unique<Probe>(creation);
}

ComponentDescription ProbeRow(const std::string& name, int left)
{
    return {name, left, 0, 40, 20, ImageSettings{}};
}

ComponentDescription WatcherRow(const std::string& name)
{
    return {name, 0, 0, 0, 0, GradientCaptionSettings{}};
}

using Journal = std::vector<std::string>;

class FormComponentsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        journal.clear();
        failingMake.clear();
        failingLoad.clear();
        form_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(form_, nullptr);
        parent_.window = form_;
        parent_.isForm = true;
    }
    void TearDown() override { DestroyWindow(form_); }

    int ChildCount() const
    {
        int count = 0;
        for (HWND child = GetWindow(form_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            ++count;
        return count;
    }

    HWND form_ = nullptr;
    ComponentParent parent_;
};

} // namespace

TEST_F(FormComponentsTest, AllAreMadeThenLoadedInCreationOrderAndGoInReverse)
{
    FormDescription form;
    form.components = {ProbeRow("Probe1", 0), WatcherRow("Watcher1"), ProbeRow("Probe2", 50)};
    {
        FormComponents components;
        components.Build(form, parent_, MakeProbes);
        EXPECT_EQ(journal, (Journal{"make Probe1", "make Watcher1", "make Probe2", "load Probe1", "load Watcher1",
                                    "load Probe2"}));

        // Control ids follow the rows; the component without a window has none.
        Control* second = &components.Get<Control>("Probe2");
        EXPECT_EQ(GetDlgItem(form_, FormComponents::FirstControlId + 2), second->Handle());
        EXPECT_EQ(components.ControlById(FormComponents::FirstControlId + 2), second);
        EXPECT_EQ(components.ControlByHandle(second->Handle()), second);
        EXPECT_EQ(components.ControlById(FormComponents::FirstControlId + 1), nullptr);
        EXPECT_EQ(&components.Get<Watcher>("Watcher1"), components.All()[1].get());
        EXPECT_THROW(components.Get<Control>("Watcher1"), std::runtime_error);   // no control
        EXPECT_EQ(components.All().size(), 3u);
        // A later control lies above the earlier ones.
        EXPECT_EQ(GetWindow(form_, GW_CHILD), second->Handle());
        EXPECT_EQ(ChildCount(), 2);
        journal.clear();
    }
    EXPECT_EQ(journal, (Journal{"destroy Probe2", "destroy Watcher1", "destroy Probe1"}));
    EXPECT_EQ(ChildCount(), 0);
}

TEST_F(FormComponentsTest, FailedConstructionLeavesNoComponentAndNoWindow)
{
    FormDescription form;
    form.components = {ProbeRow("Probe1", 0), ProbeRow("Probe2", 50), ProbeRow("Probe3", 100)};
    failingMake = "Probe2";
    FormComponents components;
    EXPECT_THROW(components.Build(form, parent_, MakeProbes), std::runtime_error);
    // Probe2's own constructor failed: only Probe1 has a destructor to run.
    EXPECT_EQ(journal, (Journal{"make Probe1", "make Probe2", "destroy Probe1"}));
    EXPECT_TRUE(components.All().empty());
    EXPECT_EQ(ChildCount(), 0);
}

TEST_F(FormComponentsTest, FailedLoadingLeavesNoComponentAndNoWindow)
{
    FormDescription form;
    form.components = {ProbeRow("Probe1", 0), WatcherRow("Watcher1"), ProbeRow("Probe2", 50)};
    failingLoad = "Probe1";
    FormComponents components;
    EXPECT_THROW(components.Build(form, parent_, MakeProbes), std::runtime_error);
    EXPECT_EQ(journal, (Journal{"make Probe1", "make Watcher1", "make Probe2", "load Probe1", "destroy Probe2",
                                "destroy Watcher1", "destroy Probe1"}));
    EXPECT_EQ(ChildCount(), 0);
}
