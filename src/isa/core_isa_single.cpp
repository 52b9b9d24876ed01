#include "isa/core_isa.h"

// A processor without the two encodings: the core is built once.

namespace core_isa {

bool UsesAvx()
{
    return false;
}

const char *PathName()
{
    return "baseline";
}

} // namespace core_isa
