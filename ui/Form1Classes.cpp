#include "Form1Classes.h"

#include "ImageControl.h"
#include "StandInControls.h"
#include "TFlatButtonUnit.h"

const ComponentRegistry& Form1Classes()
{
    static const ComponentRegistry classes({&TImageClass(), &TitleStripStandInClass(), &ComboBoxStandInClass(),
                                            &TFlatButtonClass(), &MemoStandInClass()});
    return classes;
}
