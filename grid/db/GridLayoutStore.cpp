#include "grid/db/GridLayoutStore.h"

#include "grid/db/DBGrid.h"
#include "runtime/Settings.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>

namespace {
// A column is named by its Name, or by its field when it has none.
AnsiString keyOf(const TqvDBTreeListColumn* column)
{
    return column->Name().empty() ? column->FieldName() : column->Name();
}

TqvDBTreeListColumn* findColumn(const TCustomqvDBGrid& grid, const AnsiString& key)
{
    if (key.empty()) return nullptr;
    for (int i = 0; i < grid.ColumnCount(); ++i)
        if (auto* c = dynamic_cast<TqvDBTreeListColumn*>(grid.Columns(i)); c && SameText(c->Name(), key)) return c;
    for (int i = 0; i < grid.ColumnCount(); ++i)
        if (auto* c = dynamic_cast<TqvDBTreeListColumn*>(grid.Columns(i));
            c && c->Name().empty() && SameText(c->FieldName(), key))
            return c;
    return nullptr;
}

TqvTreeListBand* findBand(TCustomqvDBGrid& grid, int id)
{
    for (int i = 0; i < grid.Bands().Count(); ++i)
        if (grid.Bands().Items(i)->Id() == id) return grid.Bands().Items(i);
    return nullptr;
}
}  // namespace

bool TqvGridLayoutStore::Enabled() const
{
    auto behavior = grid_.OptionsBehavior();
    return !key_.empty() && (behavior.Contains(edgoStoreToIniFile) || behavior.Contains(edgoStoreToRegistry));
}

std::unique_ptr<QSettings> TqvGridLayoutStore::open() const
{
    if (!Enabled()) return nullptr;
    if (grid_.OptionsBehavior().Contains(edgoStoreToIniFile)) {
        QString file = AnsiToQString(iniFileName_);
        if (file.isEmpty())
            file = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                   QStringLiteral("/stockin-audit/grids.ini");
        QDir().mkpath(QFileInfo(file).absolutePath());
        return std::make_unique<QSettings>(file, QSettings::IniFormat);
    }
    return OpenUserSettingsStore();
}

TqvGridLayout TqvGridLayoutStore::Take() const
{
    TqvGridLayout layout;
    layout.HeaderPanelRowCount = grid_.HeaderPanelRowCount();
    for (int i = 0; i < grid_.Bands().Count(); ++i) {
        const TqvTreeListBand* b = grid_.Bands().Items(i);
        layout.Bands.push_back({b->Id(), b->Caption(), b->Width(), b->Visible()});
    }
    for (int i = 0; i < grid_.ColumnCount(); ++i) {
        auto* c = dynamic_cast<TqvDBTreeListColumn*>(grid_.Columns(i));
        if (!c || keyOf(c).empty()) continue;
        const TqvTreeListBand* band = grid_.Bands().Items(c->BandIndex());
        layout.Columns.push_back({c->Name(), c->FieldName(), c->Width(), c->Visible(), band ? band->Id() : -1,
                                  c->RowIndex()});
    }
    for (TqvDBTreeListColumn* c : grid_.SortColumns())
        if (!keyOf(c).empty()) layout.Sort.push_back({keyOf(c), c->Sorted() == csDown});
    const TqvDBGridFilter& filter = const_cast<TCustomqvDBGrid&>(grid_).Filter();
    layout.FilterActive = filter.Active();
    for (const TqvColumnFilter& f : filter.ColumnFilters())
        if (f.Column && !keyOf(f.Column).empty())
            layout.Filters.push_back({keyOf(f.Column), f.First, f.HasSecond, f.OrJoined, f.Second});
    return layout;
}

void TqvGridLayoutStore::Give(const TqvGridLayout& layout)
{
    grid_.BeginUpdate();
    auto endUpdate = qScopeGuard([&] { grid_.EndUpdate(); });
    grid_.SetHeaderPanelRowCount(layout.HeaderPanelRowCount);
    int place = 0;
    for (const TqvGridLayout::Band& stored : layout.Bands) {
        TqvTreeListBand* band = findBand(grid_, stored.Id);
        // A band made in another place since is another band.
        if (!band || band->Caption() != stored.Caption) continue;
        grid_.Bands().Move(band->Index(), place++);
        band->SetWidth(stored.Width);
        band->SetVisible(stored.Visible);
    }
    place = 0;
    for (const TqvGridLayout::Column& stored : layout.Columns) {
        TqvDBTreeListColumn* column = findColumn(grid_, stored.Name.empty() ? stored.Field : stored.Name);
        if (!column) continue;
        column->SetIndex(place++);
        column->SetWidth(stored.Width);
        column->SetVisible(stored.Visible);
        if (stored.Band < 0) {
            column->SetBandIndex(-1);
        } else if (TqvTreeListBand* band = findBand(grid_, stored.Band)) {
            column->SetBandIndex(band->Index());
        }
        column->SetRowIndex(stored.Row);
    }
    std::vector<std::pair<TqvDBTreeListColumn*, TqvTreeListColumnSort>> keys;
    for (const TqvGridLayout::SortKey& stored : layout.Sort)
        if (TqvDBTreeListColumn* column = findColumn(grid_, stored.Column))
            keys.push_back({column, stored.Descending ? csDown : csUp});
    grid_.SetSortOrder(keys);
    TqvDBGridFilter& filter = grid_.Filter();
    filter.Clear();
    filter.SetActive(layout.FilterActive);
    for (const TqvGridLayout::ColumnFilter& stored : layout.Filters)
        if (TqvDBTreeListColumn* column = findColumn(grid_, stored.Column)) {
            TqvColumnFilter f;
            f.Column = column;
            f.First = stored.First;
            f.HasSecond = stored.HasSecond;
            f.OrJoined = stored.OrJoined;
            f.Second = stored.Second;
            filter.SetColumnFilter(f);
        }
}

bool TqvGridLayoutStore::save(const TqvGridLayout& layout)
{
    std::unique_ptr<QSettings> settings = open();
    if (!settings) return false;
    WriteGridLayout(*settings, AnsiToQString(key_), layout);
    settings->sync();
    if (settings->status() == QSettings::NoError) return true;
    qWarning().noquote() << "The grid layout" << AnsiToQString(key_) << "could not be written to"
                         << settings->fileName();
    return false;
}

bool TqvGridLayoutStore::Save()
{
    beforeColumnsLeft_.reset();
    return save(Take());
}

bool TqvGridLayoutStore::restore(bool load)
{
    std::unique_ptr<QSettings> settings = open();
    if (!settings) return false;
    TqvGridLayout layout;
    QString reason;
    switch (ReadGridLayout(*settings, AnsiToQString(key_), layout, reason)) {
    case TqvLayoutRead::Absent: return false;
    case TqvLayoutRead::Damaged:
        qWarning().noquote() << "The stored grid layout" << AnsiToQString(key_) << "in" << settings->fileName()
                             << "is damaged and was ignored:" << reason;
        return false;
    case TqvLayoutRead::Read: break;
    }
    beforeColumnsLeft_.reset();
    Give(layout);
    if (load) grid_.ApplyFilter();
    return true;
}

bool TqvGridLayoutStore::Restore() { return restore(true); }

void TqvGridLayoutStore::Bound()
{
    if (bound_ || !Enabled()) return;
    bound_ = true;
    restore(false);
}

void TqvGridLayoutStore::ColumnLeaving()
{
    if (bound_ && Enabled() && !beforeColumnsLeft_) beforeColumnsLeft_ = std::make_unique<TqvGridLayout>(Take());
}

void TqvGridLayoutStore::GoingAway()
{
    if (!bound_) return;
    save(beforeColumnsLeft_ ? *beforeColumnsLeft_ : Take());
}
