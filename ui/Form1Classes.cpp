#include "Form1Classes.h"

#include "ImageControl.h"
#include "StandInControls.h"
#include "TFlatComboBoxUnit.h"
#include "TFlatMemoUnit.h"

const ComponentRegistry& Form1Classes()
{
    static const ComponentRegistry classes({&TImageClass(), &TitleStripStandInClass(), &TFlatComboBoxClass(),
                                            &ButtonStandInClass(), &TFlatMemoClass()});
    return classes;
}
