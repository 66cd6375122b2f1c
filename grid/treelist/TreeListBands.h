#pragma once
// The bands of a column control: an ordered collection. Visible bands are
// shown left to right: the bands fixed at the left edge first, then the
// scrolling bands, then the bands fixed at the right edge, each group in
// collection order. Columns name their band by its index; when bands are
// deleted or moved, the columns follow their band.

#include "grid/treelist/LayoutProperties.h"
#include "grid/treelist/TreeListTypes.h"

#include <memory>
#include <vector>

class TCustomqvTreeListControl;
class TqvTreeListBands;

class TqvTreeListBand : private TqvLayoutProperties {
public:
    TqvTreeListBand(TqvTreeListBands* collection, int id) : collection_(collection), id_(id) {}
    TqvTreeListBands* Collection() const { return collection_; }
    int Index() const;
    void SetIndex(int index);
    // Numbers the bands of a collection in the order they were made, never
    // again for another one: the band keeps it wherever it is moved (a
    // stored layout names bands by it).
    int Id() const { return id_; }

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value) { setPaint(alignment_, value); }
    const AnsiString& Caption() const { return caption_; }
    void SetCaption(const AnsiString& value) { setPaint(caption_, value); }
    bool DisableCustomizing() const { return disableCustomizing_; }
    void SetDisableCustomizing(bool value) { disableCustomizing_ = value; }
    bool DisableDragging() const { return disableDragging_; }
    void SetDisableDragging(bool value) { disableDragging_ = value; }
    TqvGridBandFixed Fixed() const { return fixed_; }
    void SetFixed(TqvGridBandFixed value) { setLayout(fixed_, value); }
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int value) { setLayout(minWidth_, value < 0 ? 0 : value); }
    bool OnlyOwnColumns() const { return onlyOwnColumns_; }
    void SetOnlyOwnColumns(bool value) { onlyOwnColumns_ = value; }
    bool Sizing() const { return sizing_; }
    void SetSizing(bool value) { sizing_ = value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { setLayout(visible_, value); }
    int Width() const { return width_; }
    void SetWidth(int value) { setLayout(width_, value < minWidth_ ? minWidth_ : value); }

private:
    TCustomqvTreeList* LayoutOwner() const override;

    TqvTreeListBands* collection_;
    int id_;
    TAlignment alignment_ = taCenter;
    AnsiString caption_;
    bool disableCustomizing_ = false;
    bool disableDragging_ = false;
    TqvGridBandFixed fixed_ = bfNone;
    int minWidth_ = 30;
    bool onlyOwnColumns_ = false;
    bool sizing_ = true;
    bool visible_ = true;
    int width_ = 250;
};

class TqvTreeListBands {
public:
    explicit TqvTreeListBands(TCustomqvTreeListControl* control) : control_(control) {}
    TCustomqvTreeListControl* Control() const { return control_; }

    int Count() const { return static_cast<int>(items_.size()); }
    TqvTreeListBand* Items(int index) const;
    TqvTreeListBand* Add();
    TqvTreeListBand* Insert(int index);
    void Delete(int index);
    void Clear();
    void Move(int from, int to);
    int IndexOf(const TqvTreeListBand* band) const;

    // Visible bands in display order.
    int VisibleCount() const;
    TqvTreeListBand* VisibleItems(int index) const;
    std::vector<TqvTreeListBand*> VisibleBands() const;

private:

    TCustomqvTreeListControl* control_;
    std::vector<std::unique_ptr<TqvTreeListBand>> items_;
    int nextId_ = 0;
};
