#include "grid/db/DBGridRegistry.h"

#include "grid/db/DBTreeListControl.h"

#include <algorithm>

namespace {
std::vector<TCustomqvDBTreeListControl*>& grids()
{
    static std::vector<TCustomqvDBTreeListControl*> list;
    return list;
}
}  // namespace

void DBGridRegistry::Add(TCustomqvDBTreeListControl* grid) { grids().push_back(grid); }

void DBGridRegistry::Remove(TCustomqvDBTreeListControl* grid)
{
    auto& list = grids();
    list.erase(std::remove(list.begin(), list.end(), grid), list.end());
}

const std::vector<TCustomqvDBTreeListControl*>& DBGridRegistry::Grids() { return grids(); }

bool DBGridRegistry::IsLoadingElsewhere(const TDataSet* dataSet, const TCustomqvDBTreeListControl* except)
{
    if (!dataSet) return false;
    for (TCustomqvDBTreeListControl* grid : grids())
        if (grid != except && grid->DataSet() == dataSet && grid->IsLoadingRecords()) return true;
    return false;
}
