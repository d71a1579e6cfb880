#include "Form1Classes.h"

#include "GradientCaption.h"
#include "ImageControl.h"
#include "TFlatButtonUnit.h"
#include "TFlatComboBoxUnit.h"
#include "TFlatMemoUnit.h"
#include "TFlatTitlebarUnit.h"

const ComponentRegistry& Form1Classes()
{
    static const ComponentRegistry classes({&TImageClass(), &TFlatTitlebarClass(), &TFlatComboBoxClass(),
                                            &TFlatButtonClass(), &TFlatMemoClass(), &TGradientCaptionClass()});
    return classes;
}
