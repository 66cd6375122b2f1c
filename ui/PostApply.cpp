#include "PostApply.h"

#include "runtime/db/Query.h"

void PostApply(TQuery* query)
{
    query->Post();
    query->ApplyUpdates();
    query->CommitUpdates();
}
