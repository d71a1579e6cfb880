// The main window Form1 and its components, in creation order, with the settings that
// differ from their classes' defaults.
#include "ui/Form1Description.h"

#include "res/PelkarinVersion.h"
#include "ui/PaneText.h"

#include "engine/ThreatCatalogue.h"
#include "res/resource.h"

namespace {

ComponentDescription& Add(std::vector<ComponentDescription>& components, const char* name,
                          const char* className, int left, int top, int width, int height)
{
    components.push_back({name, className, left, top, width, height, {}});
    return components.back();
}

std::vector<std::string> SelectorItems()
{
    std::vector<std::string> items;
    for (const ThreatEntry& entry : ThreatCatalogue())
        items.push_back(entry.listText);
    return items;
}

const ColourWord TitleInactiveText = 8559266;
const ColourWord ButtonHighLight = 8623776;

FormDescription BuildForm1()
{
    FormDescription form;
    form.name = "Form1";
    form.className = "TForm1";
    form.caption = std::string(19, ' ') + std::string(17, '-') + std::string(11, '|') +
                   " Pelkarin v" PELKARIN_VERSION_TEXT " " + std::string(10, '|') + std::string(9, '-') + "|";
    form.left = 210;
    form.top = 113;
    form.clientWidth = 409;
    form.clientHeight = 314;
    form.colour = clBtnText;
    form.fontName = "MS Sans Serif";
    form.fontHeight = -11;

    auto& c = form.components;
    Add(c, "Image5", "TImage", 224, 8, 197, 66)
        .Set("Picture", IntegerValue(IDB_LOGO))
        .Set("AccessibleName", TextValue("Pelkarin"));
    Add(c, "FlatTitlebar1", "TFlatTitlebar", 112, 272, 177, 19)
        .Set("Caption", TextValue("Programado por el equipo de Pelkarin"))
        .Set("ActiveTextColor", ColourValue(clWhite))
        .Set("InactiveTextColor", ColourValue(TitleInactiveText))
        .Set("TitlebarColor", ColourValue(clBlack));
    Add(c, "ComboBox1", "TFlatComboBox", 8, 16, 217, 21)
        .Set("Text", TextValue("Selecciona el Gusano o Troyano"))
        .Set("Color", ColourValue(clWindow))
        .Set("Items", LinesValue(SelectorItems()))
        .Set("ItemHeight", IntegerValue(13))
        .Set("TabOrder", IntegerValue(0))
        .Set("TabStop", BooleanValue(true));
    Add(c, "FlatButton6", "TFlatButton", 8, 48, 105, 25)
        .Set("Caption", TextValue("&Desinfectar"))
        .Set("Font.Color", ColourValue(clWhite))
        .Set("ColorFocused", ColourValue(clBlack))
        .Set("ColorDown", ColourValue(clMaroon))
        .Set("ColorBorder", ColourValue(clGreen))
        .Set("ColorHighLight", ColourValue(ButtonHighLight))
        .Set("TabOrder", IntegerValue(1))
        .Set("TabStop", BooleanValue(true))
        .Set("OnClick", EventValue("FlatButton6Click"));
    Add(c, "FlatButton7", "TFlatButton", 120, 48, 105, 25)
        .Set("Caption", TextValue("&Informaci\xF3n"))
        .Set("Font.Color", ColourValue(clWhite))
        .Set("ColorFocused", ColourValue(clBlack))
        .Set("ColorBorder", ColourValue(clGreen))
        .Set("ColorHighLight", ColourValue(ButtonHighLight))
        .Set("TabOrder", IntegerValue(2))
        .Set("TabStop", BooleanValue(true))
        .Set("OnClick", EventValue("FlatButton7Click"));
    Add(c, "memo", "TFlatMemo", 8, 80, 393, 193)
        .Set("Lines", LinesValue(InitialReportLines()))
        .Set("Font.Color", ColourValue(clMenu))
        .Set("ColorFlat", ColourValue(clBtnText))
        .Set("ColorFocused", ColourValue(clBlack))
        .Set("ReadOnly", BooleanValue(true))
        .Set("ScrollBars", TextValue("ssVertical"))
        .Set("WantReturns", BooleanValue(false))
        .Set("TabOrder", IntegerValue(3))
        .Set("TabStop", BooleanValue(true));
    Add(c, "FlatTitlebar2", "TFlatTitlebar", 152, 296, 100, 19)
        .Set("Caption", TextValue("pelkarin.example"))   // the strip is 100 pixels wide
        .Set("ActiveTextColor", ColourValue(clWhite))
        .Set("InactiveTextColor", ColourValue(TitleInactiveText))
        .Set("TitlebarColor", ColourValue(clBlack));
    // Paints the caption bar; it has no window, so no place.
    Add(c, "GradientCaption1", "TGradientCaption", 0, 0, 0, 0)
        .Set("DefaultFont", BooleanValue(false))
        .Set("FormCaption", TextValue(form.caption))
        .Set("FontInactiveColor", ColourValue(clMaroon))
        .Set("Font.Height", IntegerValue(-9))
        .Set("Font.Style", LinesValue({}))
        .Set("Font.Color", ColourValue(clWhite))
        .Set("GradientInactive", BooleanValue(true))
        .Set("GradientSteps", IntegerValue(100))
        .Set("StartColor", ColourValue(clTeal));
    return form;
}

} // namespace

const FormDescription& Form1Description()
{
    static const FormDescription form = BuildForm1();
    return form;
}
