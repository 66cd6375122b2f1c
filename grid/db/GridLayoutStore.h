#pragma once
// Keeps a grid's layout across runs (the grid owns one). With
// edgoStoreToIniFile the layout goes into an INI file (LayoutIniFileName, by
// default grids.ini in the user's configuration directory), with
// edgoStoreToRegistry into the user's native settings store; the INI file
// wins when both are set. Either way it sits under the group LayoutKey
// names ("Software\MyApp\Orders"); GridLayout.h gives its form.
//
// The layout is restored when the grid is first bound to an open dataset
// (before its first load, so that the load sorts and filters as stored) and
// saved when the grid goes away, if it was bound; Save and Restore do the
// same on demand. Filter conditions restored at binding are checked by the
// grid until the filter is next applied (a dataset is not opened again
// while it opens).
//
// Rules that are easy to break:
// - A stored column, band or sort or filter entry that names no column or
//   band of the grid is skipped; everything else still applies.
// - A damaged store changes nothing and says why through qWarning; the next
//   save writes a sound layout over it. Nothing here raises.

#include "grid/db/GridLayout.h"

#include <memory>

class QSettings;
class TCustomqvDBGrid;

class TqvGridLayoutStore {
public:
    explicit TqvGridLayoutStore(TCustomqvDBGrid& grid) : grid_(grid) {}

    const AnsiString& Key() const { return key_; }
    void SetKey(const AnsiString& key) { key_ = key; }
    const AnsiString& IniFileName() const { return iniFileName_; }
    void SetIniFileName(const AnsiString& name) { iniFileName_ = name; }
    // The options name a store and the key is set.
    bool Enabled() const;

    // The grid's layout now, and a layout given to the grid.
    TqvGridLayout Take() const;
    void Give(const TqvGridLayout& layout);

    // False when no store is named, nothing is stored (Restore) or the store
    // is damaged.
    bool Save();
    bool Restore();
    // The grid became bound: the first time, the stored layout comes back
    // (without a load of its own: the binding loads next).
    void Bound();
    // A column leaves the grid. A form takes its columns apart before the
    // grid when it goes: the layout as it was before the first column left
    // is the one kept.
    void ColumnLeaving();
    // The grid goes away: a grid that was bound keeps its layout.
    void GoingAway();

private:
    std::unique_ptr<QSettings> open() const;
    bool restore(bool load);
    bool save(const TqvGridLayout& layout);

    TCustomqvDBGrid& grid_;
    AnsiString key_;
    AnsiString iniFileName_;
    bool bound_ = false;
    std::unique_ptr<TqvGridLayout> beforeColumnsLeft_;
};
