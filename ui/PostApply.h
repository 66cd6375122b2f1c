#pragma once
// Saving a query's cached changes in one go.

class TQuery;

// For a query with cached updates: posts the current record into the cache
// when it is being edited or inserted, writes every cached change through the
// query's update statements (one transaction), then empties the cache. A
// query that is only browsing (every line deleted, say) has its cache written
// all the same. A database error ends it where it happens: nothing is written
// and the cache still holds every change, for another try or a cancel.
void PostApply(TQuery* query);
