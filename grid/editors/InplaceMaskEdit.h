#pragma once
// The masked text editor: text with an optional edit mask (EditMask.h). With
// a mask, loading puts the value through it, the caret walks only the
// editable positions (never the literals), typing replaces the character at
// the caret when the mask allows it there, Backspace and Delete blank
// positions, and validation wants every required position filled. Without a
// mask it is the plain text editor.

#include "grid/editors/EditMask.h"
#include "grid/editors/InplaceTextEdit.h"

namespace EditText {
// The masked editors' refusal (two blanks after the first full stop).
inline constexpr const char* MaskInvalidInput = "Invalid input value.  Use escape key to abandon changes";
}

class TqvInplaceMaskEdit : public TqvInplaceTextEdit {
public:
    using TqvInplaceTextEdit::TqvInplaceTextEdit;
    const char* ClassName() const override { return "TqvInplaceMaskEdit"; }

    const AnsiString& EditMask() const { return maskText_; }
    void SetEditMask(const AnsiString& mask);
    bool IsMasked() const { return !mask_.IsEmpty(); }
    const TqvEditMask& Mask() const { return mask_; }
    bool IgnoreMaskBlank() const { return ignoreMaskBlank_; }
    void SetIgnoreMaskBlank(bool value) { ignoreMaskBlank_ = value; }

    void LoadValue(const Variant& value) override;
    Variant EditingValue() const override;
    void PasteFromClipboard() override;
    void DeleteSelection() override;

protected:
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char32_t& character) override;
    void ValidateEdit() override;

private:
    std::vector<AnsiString> positions() const;
    void setPositions(const std::vector<AnsiString>& chars, int caret);
    // The editable position at or after (before) `pos`, -1 when none.
    int editableFrom(int pos, bool forward) const;
    bool typeAt(const AnsiString& character);
    // Blanks the selected editable positions; false without a selection.
    bool blankSelection();

    AnsiString maskText_;
    TqvEditMask mask_;
    bool ignoreMaskBlank_ = false;
};
