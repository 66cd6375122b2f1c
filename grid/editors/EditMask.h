#pragma once
// The grid's name for the edit mask of its masked editors. The mask grammar
// lives in the runtime (runtime/EditMask.h) because the report language
// formats FORMATTEXT with the same masks; the grid only names it.

#include "runtime/EditMask.h"

using TqvEditMask = TEditMask;
