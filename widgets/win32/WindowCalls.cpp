#include "widgets/win32/WindowCalls.h"

WindowCalls& TheWindowCalls()
{
    static WindowCalls calls;
    return calls;
}
