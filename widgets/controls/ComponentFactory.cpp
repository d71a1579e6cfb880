#include "widgets/controls/ComponentFactory.h"

#include "widgets/controls/GradientCaption.h"
#include "widgets/controls/ImageControl.h"
#include "widgets/controls/TFlatButtonUnit.h"
#include "widgets/controls/TFlatComboBoxUnit.h"
#include "widgets/controls/TFlatMemoUnit.h"
#include "widgets/controls/TFlatTitlebarUnit.h"

namespace {

// Each class's settings make that class.
struct Maker {
    const ComponentCreation& creation;

    template <typename Made, typename Settings>
    std::unique_ptr<Component> Make(const Settings& settings) const
    {
        return std::make_unique<Made>(creation, settings);
    }
    auto operator()(const ImageSettings& s) const { return CreateImage(creation, s); }
    auto operator()(const FlatTitlebarSettings& s) const { return Make<TFlatTitlebar>(s); }
    auto operator()(const FlatComboBoxSettings& s) const { return Make<TFlatComboBox>(s); }
    auto operator()(const FlatButtonSettings& s) const { return Make<TFlatButton>(s); }
    auto operator()(const FlatMemoSettings& s) const { return Make<TFlatMemo>(s); }
    auto operator()(const GradientCaptionSettings& s) const { return Make<TGradientCaption>(s); }
};

} // namespace

std::unique_ptr<Component> CreateComponent(const ComponentCreation& creation)
{
    return std::visit(Maker{creation}, creation.description.settings);
}
