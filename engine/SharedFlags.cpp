#include "engine/SharedFlags.h"

SharedFlags& ProcessFlags()
{
    static SharedFlags flags;
    return flags;
}
