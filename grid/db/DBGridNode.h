#pragma once
// A node of the dataset-bound grid: one record (or, when the grid groups, one
// group of records). The node names its record by the dataset's record handle
// and its place in load order; its key, texts and values are read from the
// record when they are asked for, so that a million records cost a million
// small nodes and no strings. Between two loads a node shows its record as it
// is now: an edited record shows its edit (the grid repaints the row when the
// record changes), a posted one is loaded again.
//
// Rules that are easy to break:
// - Record nodes of a load live in the grid's node pool, at the slot of their
//   record index; group nodes and the rare extra node are allocated apart.
//   Only the grid makes and frees nodes.
// - Keep the node small: it is one per record.

#include "grid/treelist/TreeListNode.h"
#include "runtime/Variant.h"

#include <cstdint>

class TCustomqvDBTreeListControl;

struct TNodeVariantData;

class TqvDBGridNode : public TqvTreeListTextNode {
public:
    explicit TqvDBGridNode(TCustomqvTreeList* owner) : TqvTreeListTextNode(owner) {}

    // A group node stands for the records under it and has no record.
    bool IsGroupNode() const { return recordIndex_ == kGroup; }
    // The record's place in load order: 0 for the first record loaded (in
    // partial loads, the record's position in the dataset); -1 for a group.
    int RecordIndex() const { return recordIndex_ == kGroup ? -1 : recordIndex_; }
    // The key: the KeyField value of its record; Null without a key field, for
    // a group node and for the record being inserted.
    Variant Id() const;
    // The value of the group column for a group node; Null for a record node.
    Variant GroupValue() const;
    // The record's bookmark when the grid keeps bookmarks (UseBookmarks, or
    // window mode); empty otherwise, and for a group node.
    AnsiString Bookmark() const;
    // The preview text (PreviewFieldName); empty without a preview field.
    AnsiString PreviewText() const;
    // The value record of the column at `column` (position in the column list).
    TNodeVariantData Values(int column) const;

    TCustomqvDBTreeListControl* Grid() const;

protected:
    ~TqvDBGridNode() override = default;

private:
    friend class TCustomqvDBTreeListControl;
    static constexpr int32_t kGroup = INT32_MIN;
    int32_t recordIndex_ = kGroup;
    int32_t handle_ = 0;  // the dataset's record handle (see TDataSet)
};
