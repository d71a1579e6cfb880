// A description's rows: the class their settings name, and the run-time check of a form.
#include "widgets/form/FormDescription.h"

#include <gtest/gtest.h>

TEST(FormDescription, RowsNameTheirClassAndAFormRefusesANameTwice)
{
    FormDescription form;
    form.name = "Form1";
    form.components = {{"FlatTitlebar1", 0, 0, 10, 10, FlatTitlebarSettings{}},
                       {"GradientCaption1", 0, 0, 0, 0, GradientCaptionSettings{}}};
    EXPECT_STREQ(form.components[0].ClassName(), "TFlatTitlebar");
    EXPECT_STREQ(form.components[1].ClassName(), "TGradientCaption");
    EXPECT_NE(form.components[0].As<FlatTitlebarSettings>(), nullptr);
    EXPECT_EQ(form.Find("GradientCaption1"), &form.components[1]);
    EXPECT_EQ(form.Find("memo"), nullptr);
    EXPECT_EQ(form.components[0].As<FlatButtonSettings>(), nullptr);
    EXPECT_NO_THROW(form.CheckNames());

    form.components.push_back({"FlatTitlebar1", 0, 0, 10, 10, FlatButtonSettings{}});
    try {
        form.CheckNames();
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Form1.FlatTitlebar1 is named twice");
    }
}
