#include "SharedFlags.h"

SharedFlags& ProcessFlags()
{
    static SharedFlags flags;
    return flags;
}
