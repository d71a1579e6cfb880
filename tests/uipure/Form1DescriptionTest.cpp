#include "ui/Form1Description.h"

#include "engine/ThreatCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace {

const ComponentDescription* Row(const std::string& name)
{
    for (const ComponentDescription& row : Form1Description().components)
        if (row.name == name)
            return &row;
    return nullptr;
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

TEST(Form1, TabStopsInOrderSelectorButtonsPane)
{
    std::vector<std::pair<int, std::string>> stops;
    for (const ComponentDescription& control : Form1Description().components)
        if (control.Boolean("TabStop", false))
            stops.emplace_back(control.Integer("TabOrder", -1), control.name);
    std::sort(stops.begin(), stops.end());
    const std::vector<std::pair<int, std::string>> expected = {
        {0, "ComboBox1"}, {1, "FlatButton6"}, {2, "FlatButton7"}, {3, "memo"}};
    EXPECT_EQ(stops, expected);
}

TEST(Form1, SelectorListsTheCatalogue)
{
    const ComponentDescription* selector = Row("ComboBox1");
    ASSERT_NE(selector, nullptr);
    const std::vector<std::string> items = selector->Lines("Items", {});
    ASSERT_EQ(items.size(), ThreatCatalogue().size());
    EXPECT_EQ(items.front(), "Backdoor 2.03 ");
    EXPECT_EQ(items.back(), "Cadena 2 ( Publicidad de web Porno )");
    EXPECT_EQ(selector->Text("Text", ""), "Selecciona el Gusano o Troyano");
}

TEST(Form1, ButtonsNameTheirHandlersAndColours)
{
    EXPECT_EQ(Row("FlatButton6")->Event("OnClick", ""), "FlatButton6Click");
    EXPECT_EQ(Row("FlatButton7")->Event("OnClick", ""), "FlatButton7Click");
    EXPECT_EQ(Row("FlatButton6")->Colour("ColorDown", clWhite), clMaroon);
    EXPECT_EQ(Row("FlatButton7")->Colour("ColorDown", clWhite), clWhite);   // left at the default
    EXPECT_EQ(Row("FlatButton7")->Colour("ColorHighLight", 0), 0x8396A0u);
}

TEST(Form1, GradientCaptionDrawsTheWindowsOwnCaption)
{
    const ComponentDescription* caption = Row("GradientCaption1");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->Text("FormCaption", ""), Form1Description().caption);
}
