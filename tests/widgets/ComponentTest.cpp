// Description rows, declared properties and the class registry's check of a form.
#include "widgets/form/ComponentRegistry.h"
#include "widgets/form/InvalidOperation.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<Component> NoFactory(const ComponentCreation&) { return nullptr; }

const ComponentClass Strip{"TStrip",
                           {{"Caption", TextValue("")},
                            {"TitlebarColor", ColourValue(clBlack)},
                            {"TabOrder", IntegerValue(-1)},
                            {"TabStop", BooleanValue(false)},
                            {"Items", LinesValue({"uno"})},
                            {"OnClick", EventValue("")}},
                           NoFactory};
const ComponentClass Caption{"TCaption", {{"StartColor", ColourValue(clWindowText)}}, NoFactory};

ComponentDescription Row(const std::string& name, const std::string& className)
{
    ComponentDescription row;
    row.name = name;
    row.className = className;
    return row;
}

FormDescription FormOf(std::vector<ComponentDescription> rows)
{
    FormDescription form;
    form.name = "Form1";
    form.components = std::move(rows);
    return form;
}

std::string CheckMessage(const FormDescription& form)
{
    const ComponentRegistry classes({&Strip, &Caption});
    try {
        classes.Check(form);
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "";
}

} // namespace

TEST(ComponentDescription, SetReplacesAnEarlierSettingAndReadsFallBack)
{
    ComponentDescription row = Row("FlatTitlebar1", "TStrip");
    row.Set("Caption", TextValue("uno")).Set("TitlebarColor", ColourValue(clWhite)).Set("Caption", TextValue("dos"));
    ASSERT_EQ(row.properties.size(), 2u);
    EXPECT_EQ(row.Text("Caption", ""), "dos");
    EXPECT_EQ(row.Colour("TitlebarColor", clBlack), clWhite);
    EXPECT_EQ(row.Find("TabOrder"), nullptr);
    EXPECT_EQ(row.Integer("TabOrder", 7), 7);
    EXPECT_EQ(row.Event("OnClick", "ninguno"), "ninguno");
}

TEST(ComponentDescription, ReadingASettingAsAnotherTypeIsInvalid)
{
    ComponentDescription row = Row("FlatTitlebar1", "TStrip");
    row.Set("TitlebarColor", ColourValue(clWhite));
    try {
        row.Integer("TitlebarColor", 0);
        FAIL() << "no error";
    } catch (const InvalidOperation& error) {
        EXPECT_STREQ(error.what(), "FlatTitlebar1.TitlebarColor holds Colour, not Integer");
    }
}

TEST(Component, RowSettingsWinOverTheDeclaredDefaults)
{
    ComponentDescription row = Row("FlatTitlebar1", "TStrip");
    row.Set("Caption", TextValue("Programado")).Set("TabStop", BooleanValue(true)).Set("OnClick", EventValue("Pulsar"));
    const Component strip(row, Strip);
    EXPECT_EQ(strip.Name(), "FlatTitlebar1");
    EXPECT_EQ(strip.Text("Caption"), "Programado");
    EXPECT_TRUE(strip.Boolean("TabStop"));
    EXPECT_EQ(strip.Event("OnClick"), "Pulsar");
    // Left at the defaults:
    EXPECT_EQ(strip.Colour("TitlebarColor"), clBlack);
    EXPECT_EQ(strip.Integer("TabOrder"), -1);
    EXPECT_EQ(strip.Lines("Items"), std::vector<std::string>{"uno"});
    EXPECT_TRUE(strip.Declares("Items"));
    EXPECT_FALSE(strip.Declares("ColorDown"));
}

TEST(Component, AnUndeclaredOrMistypedPropertyIsInvalid)
{
    const ComponentDescription row = Row("GradientCaption1", "TCaption");
    const Component caption(row, Caption);
    EXPECT_THROW(caption.Colour("EndColor"), InvalidOperation);
    EXPECT_THROW(caption.Text("StartColor"), InvalidOperation);
    try {
        caption.Boolean("Active");
        FAIL() << "no error";
    } catch (const InvalidOperation& error) {
        EXPECT_STREQ(error.what(), "TCaption has no property Active");
    }
}

TEST(ComponentRegistry, CheckAcceptsRowsThatSetOnlyDeclaredPropertiesWithTheirTypes)
{
    ComponentDescription strip = Row("FlatTitlebar1", "TStrip");
    strip.Set("Caption", TextValue("uno")).Set("TabStop", BooleanValue(true)).Set("Items", LinesValue({}));
    ComponentDescription caption = Row("GradientCaption1", "TCaption");
    caption.Set("StartColor", ColourValue(0x808000));
    EXPECT_EQ(CheckMessage(FormOf({strip, caption, Row("FlatTitlebar2", "TStrip")})), "");
}

TEST(ComponentRegistry, CheckNamesTheRowAndWhatIsWrongWithIt)
{
    ComponentDescription undeclared = Row("FlatTitlebar1", "TStrip");
    undeclared.Set("Caption", TextValue("uno")).Set("ColorDown", ColourValue(clMaroon));
    EXPECT_EQ(CheckMessage(FormOf({undeclared})), "Form1.FlatTitlebar1: TStrip has no property ColorDown");

    ComponentDescription mistyped = Row("FlatTitlebar1", "TStrip");
    mistyped.Set("TabOrder", ColourValue(1));
    EXPECT_EQ(CheckMessage(FormOf({mistyped})), "Form1.FlatTitlebar1: TabOrder takes Integer, not Colour");

    EXPECT_EQ(CheckMessage(FormOf({Row("memo", "TMemo")})), "Form1.memo: unknown class TMemo");
    EXPECT_EQ(CheckMessage(FormOf({Row("memo", "TStrip"), Row("memo", "TCaption")})), "Form1.memo is named twice");
}
