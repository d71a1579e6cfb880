#include "Form1Classes.h"

#include "ImageControl.h"
#include "StandInControls.h"

const ComponentRegistry& Form1Classes()
{
    static const ComponentRegistry classes({&TImageClass(), &TitleStripStandInClass(), &ComboBoxStandInClass(),
                                            &ButtonStandInClass(), &MemoStandInClass()});
    return classes;
}
