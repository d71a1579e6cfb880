// The main window Form1 and its components, in creation order, with the settings that
// differ from their classes' defaults.
#include "ui/Form1Description.h"

#include "res/PelkarinVersion.h"
#include "ui/PaneText.h"

#include "engine/ThreatCatalogue.h"
#include "res/resource.h"

namespace {

// A row with its place and its class's settings.
void Add(std::vector<ComponentDescription>& components, const char* name, int left, int top, int width, int height,
         ComponentSettings settings)
{
    components.push_back({name, left, top, width, height, std::move(settings)});
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

    FlatTitlebarSettings strip;
    strip.activeTextColor = clWhite;
    strip.inactiveTextColor = TitleInactiveText;
    strip.titlebarColor = clBlack;

    ImageSettings logo;
    logo.picture = IDB_LOGO;
    logo.accessibleName = "Pelkarin";

    FlatTitlebarSettings credit = strip;
    credit.caption = "Programado por el equipo de Pelkarin";
    // It shows a run's progress: a screen reader hears of it at most once a second.
    credit.nameChangePeriod = 1000;

    FlatComboBoxSettings selector;
    selector.text = "Selecciona el Gusano o Troyano";
    selector.colours.color = clWindow;
    selector.items = SelectorItems();
    selector.itemHeight = 13;
    selector.tab = {true, 0};

    FlatButtonSettings disinfect;
    disinfect.caption = "&Desinfectar";
    disinfect.colours.fontColour = clWhite;
    disinfect.colours.colorFocused = clBlack;
    disinfect.colours.colorDown = clMaroon;
    disinfect.colours.colorBorder = clGreen;
    disinfect.colours.colorHighLight = ButtonHighLight;
    disinfect.tab = {true, 1};

    FlatButtonSettings information = disinfect;
    information.caption = "&Informaci\xF3n";
    information.colours.colorDown = FlatButtonColours{}.colorDown;
    information.tab = {true, 2};

    FlatMemoSettings pane;
    pane.lines = InitialReportLines();
    pane.fontColor = clMenu;
    pane.colorFlat = clBtnText;
    pane.colorFocused = clBlack;
    pane.readOnly = true;
    pane.scrollBars = FlatMemoSettings::ScrollBars::Vertical;
    pane.wantReturns = false;
    pane.tab = {true, 3};

    FlatTitlebarSettings address = strip;
    address.caption = "pelkarin.example";   // the strip is 100 pixels wide

    GradientCaptionSettings caption;
    caption.defaultFont = false;
    caption.formCaption = form.caption;
    caption.fontInactiveColor = clMaroon;
    caption.font.height = -9;
    caption.font.bold = false;
    caption.font.color = clWhite;
    caption.gradientInactive = true;
    caption.gradientSteps = 100;
    caption.startColor = clTeal;

    auto& c = form.components;
    Add(c, "Image5", 224, 8, 197, 66, logo);
    Add(c, "FlatTitlebar1", 112, 272, 177, 19, credit);
    Add(c, "ComboBox1", 8, 16, 217, 21, selector);
    Add(c, "FlatButton6", 8, 48, 105, 25, disinfect);
    Add(c, "FlatButton7", 120, 48, 105, 25, information);
    Add(c, "memo", 8, 80, 393, 193, pane);
    Add(c, "FlatTitlebar2", 152, 296, 100, 19, address);
    // Paints the caption bar; it has no window, so no place.
    Add(c, "GradientCaption1", 0, 0, 0, 0, caption);
    return form;
}

} // namespace

const FormDescription& Form1Description()
{
    static const FormDescription form = BuildForm1();
    return form;
}
