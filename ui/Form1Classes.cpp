#include "ui/Form1Classes.h"

#include "widgets/controls/GradientCaption.h"
#include "widgets/controls/ImageControl.h"
#include "widgets/controls/TFlatButtonUnit.h"
#include "widgets/controls/TFlatComboBoxUnit.h"
#include "widgets/controls/TFlatMemoUnit.h"
#include "widgets/controls/TFlatTitlebarUnit.h"

const ComponentRegistry& Form1Classes()
{
    static const ComponentRegistry classes({&TImageClass(), &TFlatTitlebarClass(), &TFlatComboBoxClass(),
                                            &TFlatButtonClass(), &TFlatMemoClass(), &TGradientCaptionClass()});
    return classes;
}
