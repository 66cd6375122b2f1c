#pragma once
// The editor classes the grid's columns name (EditorClassName). They add
// nothing to the kinds they derive from; they exist so that every column
// kind has its own class, and so one editor per class and grid.

#include "grid/editors/InplaceCurrencyEdit.h"
#include "grid/editors/InplaceMaskEdit.h"
#include "grid/editors/InplaceTextEdit.h"

class TqvInplaceTreeListTextEdit : public TqvInplaceTextEdit {
public:
    using TqvInplaceTextEdit::TqvInplaceTextEdit;
    const char* ClassName() const override { return "TqvInplaceTreeListTextEdit"; }
};

class TqvInplaceDBTreeListMaskEdit : public TqvInplaceMaskEdit {
public:
    using TqvInplaceMaskEdit::TqvInplaceMaskEdit;
    const char* ClassName() const override { return "TqvInplaceDBTreeListMaskEdit"; }
};

class TqvInplaceDBTreeListCurrencyEdit : public TqvInplaceCurrencyEdit {
public:
    using TqvInplaceCurrencyEdit::TqvInplaceCurrencyEdit;
    const char* ClassName() const override { return "TqvInplaceDBTreeListCurrencyEdit"; }
};
