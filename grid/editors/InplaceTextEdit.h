#pragma once
// The single-line text editor, and the base of the text-based kinds (mask,
// currency and the drop-downs). A QLineEdit inside the editor's border holds
// the text; every key goes through the editor's steps first (see
// InplaceEdit.h), and the editor inserts typed and pasted text itself.
//
// Rules that are easy to break:
// - Text is AnsiString in the code page. MaxLength counts code-page bytes
//   (0: no limit); a paste that does not fit is cut at a character
//   boundary, never inside a double-byte character, and a typed character
//   that does not fit is refused with a beep.
// - A character the code page cannot hold (typed or pasted) is refused with
//   a beep; it is never stored as "?".
// - Every change by the user (typing, paste, cut, Backspace, Delete, undo)
//   first asks the container whether the text may change.
// - The context menu is the editor's own unless the editor or a parent has
//   a popup menu of its own (Qt::CustomContextMenu).

#include "grid/editors/InplaceEdit.h"

class QLineEdit;
class QMenu;

class TqvInplaceTextEdit : public TqvInplaceEdit {
public:
    explicit TqvInplaceTextEdit(TCustomqvContainer* container);
    ~TqvInplaceTextEdit() override;
    const char* ClassName() const override { return "TqvInplaceTextEdit"; }

    AnsiString Text() const override;
    void SetText(const AnsiString& text) override;
    void LoadValue(const Variant& value) override;
    QWidget* FocusWidget() override;
    QLineEdit* LineEdit() const { return edit_; }

    TEditCharCase CharCase() const { return charCase_; }
    // Converts the text already there, keeping the selection and the modified flag.
    void SetCharCase(TEditCharCase value);
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char value);
    // In code-page bytes; 0 = no limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value) { maxLength_ = value < 0 ? 0 : value; }
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value) { hideSelection_ = value; }
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool value) { autoSelect_ = value; }
    bool OEMConvert() const { return oemConvert_; }
    void SetOEMConvert(bool value) { oemConvert_ = value; }
    bool SelectionBar() const { return selectionBar_; }
    void SetSelectionBar(bool value);

    // Selection in characters of the shown text.
    int SelStart() const;
    int SelLength() const;
    void SetSelection(int start, int length);
    void SelectAll();
    void SelectAllText() override { SelectAll(); }

    // The user's editing commands (each asks the container first).
    void Paste();
    void Cut();
    void ClearSelection();
    void PasteFromClipboard() override { Paste(); }
    void CutToClipboard() override { Cut(); }
    void DeleteSelection() override { ClearSelection(); }
    void PassClick(const QPoint& at) override;
    // Inserts text at the caret as if typed or pasted: the code page and the
    // length limit apply. False (with a beep) when refused.
    bool InsertText(const AnsiString& text, bool pasted);

    std::unique_ptr<TqvEditViewData> CreateViewData() const override;
    void FillViewData(TqvEditViewData& data) const override;
    void PaintView(QPainter& canvas, const TqvEditViewData& data) const override;

    // The editor's own context menu, made on first use (tests read it).
    QMenu* ContextMenu();

protected:
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char32_t& character) override;
    void ReadOnlyChanged() override;
    void AlignmentChanged() override;
    void UpdateShape() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The text the editor would hold with the selection replaced by `text`.
    AnsiString TextWithSelectionReplaced(const AnsiString& text) const;
    // Replaces the selection by the user (no checks): modified, change event.
    void ReplaceSelection(const AnsiString& text);
    // The kinds check a paste (the currency kind wants a number).
    virtual bool AcceptPaste(const AnsiString& newText) { return true; }
    AnsiString ApplyCharCase(const AnsiString& text) const;

private:
    void showContextMenu(const QPoint& at);

    QLineEdit* edit_;
    QMenu* menu_ = nullptr;
    TEditCharCase charCase_ = ecNormal;
    char passwordChar_ = 0;
    int maxLength_ = 0;
    bool hideSelection_ = true;
    bool autoSelect_ = true;
    bool oemConvert_ = false;
    bool selectionBar_ = false;
};
