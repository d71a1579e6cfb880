#include "WindowCalls.h"

WindowCalls& TheWindowCalls()
{
    static WindowCalls calls;
    return calls;
}
