#pragma once
// The process-wide list of dataset-bound grids: a grid asks it whether
// another grid on the same dataset is loading at this moment (it then only
// lets its focus follow the dataset instead of loading too). Grids enter the
// list when they are made and leave it when they are destroyed; everything
// runs on the user-interface thread.

#include <vector>

class TCustomqvDBTreeListControl;
class TDataSet;

namespace DBGridRegistry {
void Add(TCustomqvDBTreeListControl* grid);
void Remove(TCustomqvDBTreeListControl* grid);
const std::vector<TCustomqvDBTreeListControl*>& Grids();
// True when a grid other than `except` shows `dataSet` and is loading.
bool IsLoadingElsewhere(const TDataSet* dataSet, const TCustomqvDBTreeListControl* except);
}  // namespace DBGridRegistry
