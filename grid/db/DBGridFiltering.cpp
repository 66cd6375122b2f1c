#include "grid/db/DBGridFiltering.h"

#include "grid/db/CustomFilterDialog.h"
#include "grid/db/DBGrid.h"
#include "grid/db/FilterDropDown.h"
#include "runtime/Application.h"
#include "runtime/ModalDialog.h"
#include "runtime/db/DataSet.h"
#include "runtime/db/Query.h"

#include <QFontMetrics>
#include <QListWidget>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
// A typed value as the field's kind (the runtime's conversion errors for
// text that is not one); an empty text is no value.
Variant valueOfText(const TField* field, const AnsiString& text)
{
    if (text.empty()) return Variant::Null();
    switch (field->DataType()) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftLargeint:
    case ftAutoInc: {
        double d = Variant(text).AsFloat();
        if (d == std::floor(d) && std::fabs(d) < 9.0e15) return Variant(static_cast<long long>(d));
        return Variant(d);
    }
    case ftFloat:
    case ftCurrency:
    case ftBCD: return Variant(Variant(text).AsFloat());
    case ftDate:
    case ftTime:
    case ftDateTime: return Variant::FromDateTime(Variant(text).AsDateTime());
    case ftBoolean: return Variant(Variant(text).AsBoolean());
    default: return Variant(text);
    }
}
}  // namespace

TqvGridFiltering::TqvGridFiltering(TCustomqvDBGrid& grid) : grid_(grid) {}

TqvGridFiltering::~TqvGridFiltering() = default;

bool TqvGridFiltering::Offered() const
{
    return grid_.filter_.Active() && grid_.IsActive() && grid_.LoadMode() == TqvDBLoadMode::LoadAll;
}

bool TqvGridFiltering::CanFilter(const TqvTreeListColumn* column) const
{
    auto* dbColumn = dynamic_cast<const TqvDBTreeListColumn*>(column);
    if (!dbColumn || !dbColumn->Field() || !Offered()) return false;
    TqvDBGridColumnProperties* props = GridPropertiesOf(const_cast<TqvTreeListColumn*>(column));
    return !(props && props->DisableFilter());
}

TCustomqvTreeListControl::TqvHeaderButton TqvGridFiltering::ButtonOf(const TqvTreeListColumn* column) const
{
    using Button = TCustomqvTreeListControl::TqvHeaderButton;
    if (!CanFilter(column)) return Button::None;
    if (grid_.filter_.ColumnFilter(static_cast<const TqvDBTreeListColumn*>(column))) return Button::Active;
    return grid_.filter_.FilterStatus() == fsAlways || column == hot_ ? Button::Shown : Button::None;
}

void TqvGridFiltering::SetHotColumn(TqvTreeListColumn* column)
{
    if (column == hot_) return;
    hot_ = column;
    grid_.update();
}

void TqvGridFiltering::ColumnRemoving(const TqvTreeListColumn* column)
{
    if (hot_ == column) hot_ = nullptr;
    if (dropDownColumn_ == column) {
        dropDownColumn_ = nullptr;
        values_.clear();
        if (dropDown_) dropDown_->hide();
    }
}

std::vector<TqvFilterValue> TqvGridFiltering::valuesOf(TqvDBTreeListColumn* column) const
{
    return CollectFilterValues(grid_, column, grid_.filter_.MaxDropDownCount());
}

int TqvGridFiltering::currentEntry(const TqvDBTreeListColumn* column) const
{
    const TqvColumnFilter* f = grid_.filter_.ColumnFilter(column);
    if (!f) return 0;
    if (f->HasSecond) return 1;
    switch (f->First.Op) {
    case TFieldFilterOp::Blank: return 2;
    case TFieldFilterOp::NonBlank: return 3;
    case TFieldFilterOp::Equal:
        for (size_t i = 0; i < values_.size(); ++i)
            if (values_[i].Text == f->First.Text) return kFirstValueEntry + static_cast<int>(i);
        return 1;
    default: return 1;
    }
}

void TqvGridFiltering::DropDown(TqvDBTreeListColumn* column)
{
    if (!CanFilter(column)) return;
    grid_.CloseEditor();
    QRect cell;
    auto layout = grid_.ComputeLayout();
    for (const auto& p : layout.columns)
        if (p.column == column)
            cell = QRect(p.left, grid_.BandZoneHeight() + p.row * grid_.HeaderRowHeight(), p.width,
                         grid_.HeaderRowHeight());
    if (cell.isNull()) {
        // A column out of view: the list opens at the left of the header zone.
        cell = QRect(layout.indicator, grid_.BandZoneHeight(), 120, grid_.HeaderRowHeight());
    }
    values_ = valuesOf(column);
    dropDownColumn_ = column;
    QStringList entries{AnsiToQString(FilterText::All), AnsiToQString(FilterText::Custom),
                        AnsiToQString(FilterText::Blanks), AnsiToQString(FilterText::NonBlanks)};
    for (const TqvFilterValue& v : values_) entries << AnsiToQString(v.Text);
    if (!dropDown_) {
        dropDown_ = new TqvFilterDropDown(&grid_);
        dropDown_->OnChoose = [this](int entry) {
            if (dropDownColumn_ && grid_.ColumnIndexOf(dropDownColumn_) >= 0) Choose(dropDownColumn_, entry);
        };
    }
    QRect anchor(grid_.mapToGlobal(cell.topLeft()), cell.size());
    dropDown_->Open(anchor, entries, currentEntry(column), grid_.filter_.DropDownCount(),
                    grid_.filter_.DropDownWidth());
}

void TqvGridFiltering::Choose(TqvDBTreeListColumn* column, int entry)
{
    if (entry == 1) {
        Custom(column);
        return;
    }
    if (entry >= kFirstValueEntry && entry - kFirstValueEntry >= static_cast<int>(values_.size())) return;
    Change([&](TqvDBGridFilter& filter) {
        if (entry == 0) {
            filter.RemoveColumnFilter(column);
            return;
        }
        TqvColumnFilter f;
        f.Column = column;
        if (entry == 2) {
            f.First.Op = TFieldFilterOp::Blank;
        } else if (entry == 3) {
            f.First.Op = TFieldFilterOp::NonBlank;
        } else {
            const TqvFilterValue& v = values_[static_cast<size_t>(entry - kFirstValueEntry)];
            f.First.Op = TFieldFilterOp::Equal;
            f.First.Values = v.Values;
            f.First.Text = v.Text;
        }
        filter.SetColumnFilter(f);
    });
}

void TqvGridFiltering::Custom(TqvDBTreeListColumn* column)
{
    if (!CanFilter(column)) return;
    if (dropDownColumn_ != column || values_.empty()) values_ = valuesOf(column);
    std::vector<AnsiString> texts;
    for (const TqvFilterValue& v : values_) texts.push_back(v.Text);
    TqvCustomFilterDialog dialog(column->Caption(), texts, grid_.window());
    if (const TqvColumnFilter* f = grid_.filter_.ColumnFilter(column)) {
        TqvCustomFilterDialog::Condition second;
        if (f->HasSecond) second = {static_cast<int>(f->Second.Op), f->Second.Text};
        dialog.SetConditions({static_cast<int>(f->First.Op), f->First.Text}, second, f->OrJoined);
    }
    if (ExecModal(dialog) != QDialog::Accepted) return;
    // A value that is one of the list's texts means the values behind it.
    auto condition = [&](const TqvCustomFilterDialog::Condition& c) {
        TqvFilterCondition result;
        result.Op = static_cast<TFieldFilterOp>(c.op);
        result.Text = c.text;
        if (result.Op != TFieldFilterOp::Blank && result.Op != TFieldFilterOp::NonBlank) {
            auto listed = std::find_if(values_.begin(), values_.end(), [&](const TqvFilterValue& v) { return v.Text == c.text; });
            if (listed != values_.end())
                result.Values = listed->Values;
            else
                result.Values.push_back(valueOfText(column->Field(), c.text));
        }
        result.Normalize();
        return result;
    };
    TqvColumnFilter f;
    f.Column = column;
    f.First = condition(dialog.First());
    if (dialog.Second().op >= 0) {
        f.HasSecond = true;
        f.Second = condition(dialog.Second());
        f.OrJoined = dialog.OrJoined();
    }
    Change([&](TqvDBGridFilter& filter) { filter.SetColumnFilter(f); });
}

void TqvGridFiltering::Change(const std::function<void(TqvDBGridFilter&)>& change)
{
    std::vector<TqvColumnFilter> before = grid_.filter_.ColumnFilters();
    change(grid_.filter_);
    try {
        Apply();
    } catch (...) {
        grid_.filter_.ColumnFilters() = std::move(before);
        try {
            Apply();
        } catch (...) {
        }
        throw;
    }
}

void TqvGridFiltering::Apply()
{
    TqvDBGridFilter& filter = grid_.filter_;
    for (TqvColumnFilter& f : filter.ColumnFilters()) f.InDataSet = false;
    if (!grid_.IsActive()) {
        grid_.update();
        return;
    }
    // Only a query can take conditions into its statement.
    TDataSet* ds = grid_.DataSet();
    auto* query = dynamic_cast<TQuery*>(ds);
    std::vector<TFieldFilter> handed;
    if (query && filter.Active() && filter.AutoDataSetFilter() && grid_.LoadMode() == TqvDBLoadMode::LoadAll)
        for (TqvColumnFilter& f : filter.ColumnFilters()) {
            if (!f.Column || !f.Column->Field()) continue;
            TFieldFilter conditions = f.AsFieldFilter(filter.CaseInsensitive());
            if (!query->CanFilterField(conditions)) continue;
            handed.push_back(std::move(conditions));
            f.InDataSet = true;
        }
    if (query && (handed_ || !handed.empty()) && !(handed == query->FieldFilters())) {
        // The dataset opens again: an edit is posted first, as a move would.
        ds->CheckBrowseMode();
        query->SetFieldFilters(handed);
        handed_ = !handed.empty();
        // Opening again loaded the grid with the conditions left to it.
    } else {
        handed_ = !handed.empty();
        grid_.FullRefresh();
    }
    focusShownRecord();
    grid_.update();
}

void TqvGridFiltering::focusShownRecord()
{
    if (!grid_.IsActive() || grid_.LoadMode() != TqvDBLoadMode::LoadAll || grid_.Count() == 0) return;
    if (grid_.NodeOfCurrentRecord()) return;
    grid_.SetFocusedNode(grid_.Items(0));
}

QRect TqvGridFiltering::ClearButtonRect(const QRect& strip)
{
    int side = std::max(9, strip.height() - 6);
    return {strip.left() + 4, strip.top() + (strip.height() - side) / 2, side, side};
}

void TqvGridFiltering::PaintStrip(QPainter& canvas, const QRect& strip) const
{
    const TqvDBGridFilter& filter = grid_.filter_;
    QColor text = grid_.LookAndFeel() == lfUltraFlat ? QColor(Qt::black) : QColor(Qt::white);
    int left = strip.left() + 6;
    if (filter.InForce()) {
        // A small box with a cross: clears every condition.
        QRect box = ClearButtonRect(strip);
        canvas.setPen(text);
        canvas.setBrush(Qt::NoBrush);
        canvas.drawRect(box.adjusted(0, 0, -1, -1));
        canvas.drawLine(box.topLeft() + QPoint(2, 2), box.bottomRight() - QPoint(2, 2));
        canvas.drawLine(QPoint(box.left() + 2, box.bottom() - 2), QPoint(box.right() - 2, box.top() + 2));
        left = box.right() + 6;
    }
    canvas.setFont(grid_.Font().ToQFont());
    canvas.setPen(text);
    QRect area(left, strip.top(), std::max(0, strip.right() - left - 4), strip.height());
    QString status = AnsiToQString(filter.InForce() ? filter.StatusText() : AnsiString());
    canvas.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                    QFontMetrics(canvas.font()).elidedText(status, Qt::ElideRight, area.width()));
}
