#include "ui/Form1Description.h"

#include "engine/ThreatCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace {

const ComponentDescription* Row(const std::string& name)
{
    return Form1Description().Find(name);
}

} // namespace

TEST(Form1, CaptionCountsItsCharacters)
{
    const std::string& caption = Form1Description().caption;
    EXPECT_EQ(caption, "                   -----------------||||||||||| Pelkarin v0.1.0.9 ||||||||||---------|");
    EXPECT_EQ(caption.find_first_not_of(' '), 19u);
}

TEST(Form1, ControlsInCreationOrder)
{
    const std::vector<std::string> expected = {"Image5", "FlatTitlebar1", "ComboBox1", "FlatButton6",
                                               "FlatButton7", "memo", "FlatTitlebar2", "GradientCaption1"};
    std::vector<std::string> names;
    for (const ComponentDescription& component : Form1Description().components)
        names.push_back(component.name);
    EXPECT_EQ(names, expected);
}

// The settings the row of that name holds, or null.
template <typename Settings>
const Settings* SettingsOf(const std::string& name)
{
    const ComponentDescription* row = Row(name);
    return row ? row->As<Settings>() : nullptr;
}

TEST(Form1, TabStopsInOrderSelectorButtonsPane)
{
    std::vector<std::pair<int, std::string>> stops;
    for (const ComponentDescription& control : Form1Description().components) {
        const TabPlace* tab = nullptr;
        if (const auto* selector = control.As<FlatComboBoxSettings>())
            tab = &selector->tab;
        else if (const auto* button = control.As<FlatButtonSettings>())
            tab = &button->tab;
        else if (const auto* pane = control.As<FlatMemoSettings>())
            tab = &pane->tab;
        if (tab && tab->tabStop)
            stops.emplace_back(tab->tabOrder, control.name);
    }
    std::sort(stops.begin(), stops.end());
    const std::vector<std::pair<int, std::string>> expected = {
        {0, "ComboBox1"}, {1, "FlatButton6"}, {2, "FlatButton7"}, {3, "memo"}};
    EXPECT_EQ(stops, expected);
}

TEST(Form1, SelectorListsTheCatalogue)
{
    const auto* selector = SettingsOf<FlatComboBoxSettings>("ComboBox1");
    ASSERT_NE(selector, nullptr);
    ASSERT_EQ(selector->items.size(), ThreatCatalogue().size());
    EXPECT_EQ(selector->items.front(), "Backdoor 2.03 ");
    EXPECT_EQ(selector->items.back(), "Cadena 2 ( Publicidad de web Porno )");
    EXPECT_EQ(selector->text, "Selecciona el Gusano o Troyano");
}

TEST(Form1, ButtonsColours)
{
    const auto* disinfect = SettingsOf<FlatButtonSettings>("FlatButton6");
    const auto* information = SettingsOf<FlatButtonSettings>("FlatButton7");
    ASSERT_TRUE(disinfect && information);
    EXPECT_EQ(disinfect->colours.colorDown, clMaroon);
    EXPECT_EQ(information->colours.colorDown, 0xC5D6D9u);   // left at the default
    EXPECT_EQ(information->colours.colorHighLight, 8623776u);
    EXPECT_TRUE(information->parentColor);   // the form's colour
}

TEST(Form1, GradientCaptionDrawsTheWindowsOwnCaption)
{
    const auto* caption = SettingsOf<GradientCaptionSettings>("GradientCaption1");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->formCaption, Form1Description().caption);
}
