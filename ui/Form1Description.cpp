// The main window Form1 and its controls. The classes ending in "StandIn" are built on the
// standard controls; a custom control takes a row's place by changing its class name.
#include "FormDescription.h"

#include "PaneText.h"

#include "../engine/ThreatCatalogue.h"
#include "../res/resource.h"

namespace {

ControlDescription& Add(std::vector<ControlDescription>& controls, const char* name,
                        const char* className, int left, int top, int width, int height)
{
    ControlDescription control;
    control.name = name;
    control.className = className;
    control.left = left;
    control.top = top;
    control.width = width;
    control.height = height;
    controls.push_back(control);
    return controls.back();
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
                   " Pelkarin v0.1.0.9 " + std::string(10, '|') + std::string(9, '-') + "|";
    form.left = 210;
    form.top = 113;
    form.clientWidth = 409;
    form.clientHeight = 314;
    form.colour = clBtnText;
    form.fontName = "MS Sans Serif";
    form.fontHeight = -11;

    auto& c = form.controls;
    {
        ControlDescription& image = Add(c, "Image5", "TImage", 224, 8, 197, 66);
        image.resourceId = IDB_LOGO;
        image.colour = clBtnText;
    }
    {
        ControlDescription& strip = Add(c, "FlatTitlebar1", "TTitleStripStandIn", 112, 272, 177, 19);
        strip.text = "Programado por el equipo de Pelkarin";
        strip.colour = clBlack;
        strip.colours = {{"ActiveTextColor", clWhite}, {"InactiveTextColor", TitleInactiveText},
                         {"TitlebarColor", clBlack}};
    }
    {
        ControlDescription& selector = Add(c, "ComboBox1", "TComboBoxStandIn", 8, 16, 217, 21);
        selector.text = "Selecciona el Gusano o Troyano";
        selector.colour = clWindow;
        selector.items = SelectorItems();
        selector.itemHeight = 13;
        selector.tabOrder = 0;
        selector.tabStop = true;
    }
    {
        ControlDescription& disinfect = Add(c, "FlatButton6", "TButtonStandIn", 8, 48, 105, 25);
        disinfect.text = "Desinfectar";
        disinfect.fontColour = clWhite;
        disinfect.colour = clBtnText;
        disinfect.colours = {{"ColorFocused", clBlack}, {"ColorDown", clMaroon},
                             {"ColorBorder", clGreen}, {"ColorHighLight", ButtonHighLight}};
        disinfect.tabOrder = 1;
        disinfect.onClick = "FlatButton6Click";
    }
    {
        ControlDescription& information = Add(c, "FlatButton7", "TButtonStandIn", 120, 48, 105, 25);
        information.text = "Informaci\xF3n";
        information.fontColour = clWhite;
        information.colour = clBtnText;
        information.colours = {{"ColorFocused", clBlack}, {"ColorBorder", clGreen},
                               {"ColorHighLight", ButtonHighLight}};
        information.tabOrder = 2;
        information.onClick = "FlatButton7Click";
    }
    {
        ControlDescription& pane = Add(c, "memo", "TMemoStandIn", 8, 80, 393, 193);
        pane.fontColour = clMenu;
        pane.colour = clBtnText;
        pane.colours = {{"ColorFlat", clBtnText}, {"ColorFocused", clBlack}};
        pane.text = InitialReportText();
        pane.tabOrder = 3;
        pane.tabStop = true;
    }
    {
        ControlDescription& strip = Add(c, "FlatTitlebar2", "TTitleStripStandIn", 152, 296, 100, 19);
        strip.text = "pelkarin.example";   // the strip is 100 pixels wide
        strip.colour = clBlack;
        strip.colours = {{"ActiveTextColor", clWhite}, {"InactiveTextColor", TitleInactiveText},
                         {"TitlebarColor", clBlack}};
    }
    // GradientCaption1 (TGradientCaption) is not a visible control; it joins the form with
    // the caption bar's painting.
    return form;
}

} // namespace

const FormDescription& Form1Description()
{
    static const FormDescription form = BuildForm1();
    return form;
}
