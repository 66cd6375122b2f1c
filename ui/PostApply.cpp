#include "PostApply.h"

#include "runtime/db/Query.h"

void PostApply(TQuery* query)
{
    if (query->State() == dsEdit || query->State() == dsInsert) query->Post();
    query->ApplyUpdates();
    query->CommitUpdates();
}
