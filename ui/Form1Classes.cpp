#include "Form1Classes.h"

#include "GradientCaption.h"
#include "ImageControl.h"
#include "StandInControls.h"
#include "TFlatButtonUnit.h"
#include "TFlatTitlebarUnit.h"

const ComponentRegistry& Form1Classes()
{
    static const ComponentRegistry classes({&TImageClass(), &TFlatTitlebarClass(), &ComboBoxStandInClass(),
                                            &TFlatButtonClass(), &MemoStandInClass(),
                                            &TGradientCaptionClass()});
    return classes;
}
