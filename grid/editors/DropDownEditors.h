#pragma once
// The editor classes the grid's date, lookup and spin columns name
// (EditorClassName). They add nothing to the kinds they derive from.

#include "grid/editors/InplaceDateEdit.h"
#include "grid/editors/InplaceLookupEdit.h"
#include "grid/editors/InplaceSpinEdit.h"

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

class TqvInplaceDBTreeListSpinEdit : public TqvInplaceSpinEdit {
public:
    using TqvInplaceSpinEdit::TqvInplaceSpinEdit;
    const char* ClassName() const override { return "TqvInplaceDBTreeListSpinEdit"; }
};
