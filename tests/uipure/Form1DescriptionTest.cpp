#include "FormDescription.h"

#include "ThreatCatalogue.h"

#include <gtest/gtest.h>

TEST(Form1, CaptionCountsItsCharacters)
{
    const std::string& caption = Form1Description().caption;
    EXPECT_EQ(caption, "                   -----------------||||||||||| Pelkarin v0.1.0.9 ||||||||||---------|");
    EXPECT_EQ(caption.find_first_not_of(' '), 19u);
}

TEST(Form1, ControlsInCreationOrder)
{
    const std::vector<std::string> expected = {"Image5", "FlatTitlebar1", "ComboBox1", "FlatButton6",
                                               "FlatButton7", "memo", "FlatTitlebar2"};
    std::vector<std::string> names;
    for (const ControlDescription& control : Form1Description().controls)
        names.push_back(control.name);
    EXPECT_EQ(names, expected);
}

TEST(Form1, OnlySelectorAndPaneAreTabStops)
{
    const FormDescription& form = Form1Description();
    for (const ControlDescription& control : form.controls)
        EXPECT_EQ(control.tabStop, control.name == "ComboBox1" || control.name == "memo") << control.name;
    EXPECT_LT(form.Find("ComboBox1")->tabOrder, form.Find("memo")->tabOrder);
}

TEST(Form1, SelectorListsTheCatalogue)
{
    const ControlDescription* selector = Form1Description().Find("ComboBox1");
    ASSERT_NE(selector, nullptr);
    ASSERT_EQ(selector->items.size(), ThreatCatalogue().size());
    EXPECT_EQ(selector->items.front(), "Backdoor 2.03 ");
    EXPECT_EQ(selector->items.back(), "Cadena 2 ( Publicidad de web Porno )");
    EXPECT_EQ(selector->text, "Selecciona el Gusano o Troyano");
}

TEST(Form1, ButtonsNameTheirHandlersAndColours)
{
    const FormDescription& form = Form1Description();
    EXPECT_EQ(form.Find("FlatButton6")->onClick, "FlatButton6Click");
    EXPECT_EQ(form.Find("FlatButton7")->onClick, "FlatButton7Click");
    EXPECT_EQ(form.Find("FlatButton6")->Colour("ColorDown", clWhite), clMaroon);
    EXPECT_EQ(form.Find("FlatButton7")->Colour("ColorDown", clWhite), clWhite);   // left at the default
    EXPECT_EQ(form.Find("FlatButton7")->Colour("ColorHighLight", 0), 0x8396A0u);
}
