#pragma once
// The drop-down editor classes the grid's date and lookup columns name
// (EditorClassName). They add nothing to the kinds they derive from.

#include "grid/editors/InplaceDateEdit.h"
#include "grid/editors/InplaceLookupEdit.h"

class TqvInplaceDBTreeListDateEdit : public TqvInplaceDateEdit {
public:
    using TqvInplaceDateEdit::TqvInplaceDateEdit;
    const char* ClassName() const override { return "TqvInplaceDBTreeListDateEdit"; }
};

class TqvInplaceDBTreeListLookupEdit : public TqvInplaceLookupEdit {
public:
    using TqvInplaceLookupEdit::TqvInplaceLookupEdit;
    const char* ClassName() const override { return "TqvInplaceDBTreeListLookupEdit"; }
};
