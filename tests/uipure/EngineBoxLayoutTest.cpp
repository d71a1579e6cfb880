#include "ui/EngineBoxLayout.h"

#include <gtest/gtest.h>

TEST(EngineBox, AverageWidthIsTheLettersExtentOver52)
{
    EXPECT_EQ(AverageCharWidth(312), 6);
    EXPECT_EQ(AverageCharWidth(363), 6);   // 6.98 truncates
    EXPECT_EQ(AverageCharWidth(364), 7);
}

TEST(EngineBox, TextWiderThanButton)
{
    // Character size 6 x 13, the text 170 x 13, "OK" 15 wide.
    const EngineBoxLayout layout = LayoutEngineBox(6, 13, 170, 13, 15);
    // margins 12 / 13, vertical spacing 16, button 75 x 23
    EXPECT_EQ(layout.text.left, 12);
    EXPECT_EQ(layout.text.top, 13);
    EXPECT_EQ(layout.text.width, 170);
    EXPECT_EQ(layout.text.height, 13);
    EXPECT_EQ(layout.clientWidth, 170 + 2 * 12);
    EXPECT_EQ(layout.clientHeight, 13 + 23 + 16 + 2 * 13);
    EXPECT_EQ(layout.button.width, 75);
    EXPECT_EQ(layout.button.height, 23);
    EXPECT_EQ(layout.button.left, (194 - 75) / 2);
    EXPECT_EQ(layout.button.top, 13 + 13 + 16);
}

TEST(EngineBox, ButtonWiderThanText)
{
    const EngineBoxLayout layout = LayoutEngineBox(5, 13, 20, 26, 15);
    EXPECT_EQ(layout.button.width, 63);   // 62.5 rounds up
    EXPECT_EQ(layout.clientWidth, 63 + 2 * 10);
    EXPECT_EQ(layout.button.left, 10);
    EXPECT_EQ(layout.clientHeight, 26 + 23 + 16 + 2 * 13);
}

TEST(EngineBox, LongCaptionWidensTheButton)
{
    const EngineBoxLayout layout = LayoutEngineBox(4, 16, 100, 16, 60);
    EXPECT_EQ(layout.button.width, 68);   // caption 60 + 8 beats 50
    EXPECT_EQ(layout.button.height, 28);
    EXPECT_EQ(layout.text.left, 8);
    EXPECT_EQ(layout.text.top, 16);
    EXPECT_EQ(layout.button.top, 16 + 16 + 20);
}
