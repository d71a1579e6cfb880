// A form's components: made in creation order, loaded once all exist, destroyed in
// reverse, and nothing left behind when any of that fails.
#include "widgets/controls/FormComponents.h"
#include "widgets/win32/OwnedWindow.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

std::vector<std::string> journal;

// A control on a static window; "Fail" makes its construction fail once its window
// exists, "FailLoading" makes the end-of-loading call fail.
class Probe : public Control {
public:
    explicit Probe(const ComponentCreation& creation) : Control(creation)
    {
        CreateHandle("STATIC", 0, Name(), Scale(Description().height));
        journal.push_back("make " + Name());
        if (Boolean("Fail"))
            throw std::runtime_error("Cannot create control " + Name());
    }
    ~Probe() override { journal.push_back("destroy " + Name()); }

    void Loaded() override
    {
        journal.push_back("load " + Name());
        if (Boolean("FailLoading"))
            throw std::runtime_error("Cannot load " + Name());
    }
};

// A component without a window.
class Watcher : public Component {
public:
    explicit Watcher(const ComponentCreation& creation) : Component(creation.description, creation.componentClass)
    {
        journal.push_back("make " + Name());
    }
    ~Watcher() override { journal.push_back("destroy " + Name()); }
    void Loaded() override { journal.push_back("load " + Name()); }
};

template <typename T>
std::unique_ptr<Component> Create(const ComponentCreation& creation)
{
    return std::make_unique<T>(creation);
}

const ComponentClass ProbeClass{"TProbe", {{"Fail", BooleanValue(false)}, {"FailLoading", BooleanValue(false)}},
                                Create<Probe>};
const ComponentClass WatcherClass{"TWatcher", {}, Create<Watcher>};
const ComponentRegistry Classes({&ProbeClass, &WatcherClass});

ComponentDescription Row(const std::string& name, const std::string& className, int left)
{
    return {name, className, left, 0, 40, 20, {}};
}

using Journal = std::vector<std::string>;

class FormComponentsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        journal.clear();
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
    form.components = {Row("Probe1", "TProbe", 0), Row("Watcher1", "TWatcher", 0), Row("Probe2", "TProbe", 50)};
    {
        FormComponents components;
        components.Build(form, Classes, parent_);
        EXPECT_EQ(journal, (Journal{"make Probe1", "make Watcher1", "make Probe2", "load Probe1", "load Watcher1",
                                    "load Probe2"}));

        // Control ids follow the rows; the component without a window has none.
        Control* second = components.FindControl("Probe2");
        ASSERT_NE(second, nullptr);
        EXPECT_EQ(GetDlgItem(form_, FormComponents::FirstControlId + 2), second->Handle());
        EXPECT_EQ(components.ControlById(FormComponents::FirstControlId + 2), second);
        EXPECT_EQ(components.ControlByHandle(second->Handle()), second);
        EXPECT_EQ(components.ControlById(FormComponents::FirstControlId + 1), nullptr);
        EXPECT_EQ(components.FindControl("Watcher1"), nullptr);
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
    form.components = {Row("Probe1", "TProbe", 0), Row("Probe2", "TProbe", 50), Row("Probe3", "TProbe", 100)};
    form.components[1].Set("Fail", BooleanValue(true));
    FormComponents components;
    EXPECT_THROW(components.Build(form, Classes, parent_), std::runtime_error);
    // Probe2's own constructor failed: only Probe1 has a destructor to run.
    EXPECT_EQ(journal, (Journal{"make Probe1", "make Probe2", "destroy Probe1"}));
    EXPECT_TRUE(components.All().empty());
    EXPECT_EQ(ChildCount(), 0);
}

TEST_F(FormComponentsTest, FailedLoadingLeavesNoComponentAndNoWindow)
{
    FormDescription form;
    form.components = {Row("Probe1", "TProbe", 0), Row("Watcher1", "TWatcher", 0), Row("Probe2", "TProbe", 50)};
    form.components[0].Set("FailLoading", BooleanValue(true));
    FormComponents components;
    EXPECT_THROW(components.Build(form, Classes, parent_), std::runtime_error);
    EXPECT_EQ(journal, (Journal{"make Probe1", "make Watcher1", "make Probe2", "load Probe1", "destroy Probe2",
                                "destroy Watcher1", "destroy Probe1"}));
    EXPECT_EQ(ChildCount(), 0);
}
