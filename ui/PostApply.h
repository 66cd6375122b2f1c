#pragma once
// Saving a query's cached changes in one go.

class TQuery;

// For a query with cached updates in edit or insert state: posts the current
// record into the cache, writes every cached change through the query's
// update statements (one transaction), then empties the cache. A database
// error ends it where it happens: nothing is written and the cache still holds
// every change, for another try or a cancel.
void PostApply(TQuery* query);
