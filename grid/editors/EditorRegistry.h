#pragma once
// The in-place editor classes the grid's columns name, and the registry that
// makes an editor of a named class.
//
// A column names its editor class (TqvDBTreeListColumn::EditorClassName); the
// grid makes one editor of that class, the first time a column of the class
// is edited, and reuses it. Each column kind has a class of its own, derived
// from the editor kind and adding nothing but its name, so that two kinds
// sharing an editor kind still get one editor each.
//
// Rules that are easy to break:
// - QV_GRID_EDITOR_CLASSES is the one list: each line declares the grid's
//   class and registers it together with the kind it derives from. A new
//   kind adds its line there, in the order of the column kinds.
// - A class that is not known edits as plain text
//   (TqvInplaceTreeListTextEdit), so no column is left without an editor.

#include "grid/editors/InplaceBlobEdit.h"
#include "grid/editors/InplaceButtonEdit.h"
#include "grid/editors/InplaceCalcEdit.h"
#include "grid/editors/InplaceCheckEdit.h"
#include "grid/editors/InplaceCurrencyEdit.h"
#include "grid/editors/InplaceDateEdit.h"
#include "grid/editors/InplaceGraphicEdit.h"
#include "grid/editors/InplaceHyperLinkEdit.h"
#include "grid/editors/InplaceImageEdit.h"
#include "grid/editors/InplaceLookupEdit.h"
#include "grid/editors/InplaceMaskEdit.h"
#include "grid/editors/InplaceMemoEdit.h"
#include "grid/editors/InplaceMRUEdit.h"
#include "grid/editors/InplacePickEdit.h"
#include "grid/editors/InplaceSpinEdit.h"
#include "grid/editors/InplaceTextEdit.h"
#include "grid/editors/InplaceTimeEdit.h"

#include <functional>
#include <memory>
#include <string_view>

// X(grid class, editor kind it derives from)
#define QV_GRID_EDITOR_CLASSES(X)                                 \
    X(TqvInplaceTreeListTextEdit, TqvInplaceTextEdit)             \
    X(TqvInplaceDBTreeListMaskEdit, TqvInplaceMaskEdit)           \
    X(TqvInplaceDBTreeListCurrencyEdit, TqvInplaceCurrencyEdit)   \
    X(TqvInplaceDBTreeListDateEdit, TqvInplaceDateEdit)           \
    X(TqvInplaceDBTreeListLookupEdit, TqvInplaceLookupEdit)       \
    X(TqvInplaceDBTreeListButtonEdit, TqvInplaceButtonEdit)       \
    X(TqvInplaceDBTreeListCheckEdit, TqvInplaceCheckEdit)         \
    X(TqvInplaceDBTreeListImageEdit, TqvInplaceImageEdit)         \
    X(TqvInplaceDBTreeListSpinEdit, TqvInplaceSpinEdit)           \
    X(TqvInplaceDBTreeListPickEdit, TqvInplacePickEdit)           \
    X(TqvInplaceDBTreeListCalcEdit, TqvInplaceCalcEdit)           \
    X(TqvInplaceDBTreeListBlobEdit, TqvInplaceBlobEdit)           \
    X(TqvInplaceDBTreeListHyperLinkEdit, TqvInplaceHyperLinkEdit) \
    X(TqvInplaceDBTreeListTimeEdit, TqvInplaceTimeEdit)           \
    X(TqvInplaceDBTreeListMemoEdit, TqvInplaceMemoEdit)           \
    X(TqvInplaceDBTreeListGraphicEdit, TqvInplaceGraphicEdit)     \
    X(TqvInplaceDBTreeListMRUEdit, TqvInplaceMRUEdit)

#define QV_DECLARE_GRID_EDITOR(Name, Kind)                         \
    class Name : public Kind {                                     \
    public:                                                        \
        using Kind::Kind;                                          \
        const char* ClassName() const override { return #Name; }   \
    };
QV_GRID_EDITOR_CLASSES(QV_DECLARE_GRID_EDITOR)
#undef QV_DECLARE_GRID_EDITOR

using TqvEditorFactory = std::function<std::unique_ptr<TqvInplaceEdit>(TCustomqvContainer* container)>;

// Makes an editor of the named class for a container.
std::unique_ptr<TqvInplaceEdit> CreateInplaceEditor(std::string_view className, TCustomqvContainer* container);
// Adds (or replaces) a class.
void RegisterInplaceEditor(std::string_view className, TqvEditorFactory factory);
bool IsInplaceEditorRegistered(std::string_view className);
