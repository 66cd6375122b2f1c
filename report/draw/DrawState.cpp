#include "report/draw/DrawState.h"

TrqDrawState& rqDrawState()
{
    static TrqDrawState state;
    return state;
}
