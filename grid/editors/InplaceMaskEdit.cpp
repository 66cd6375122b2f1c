#include "grid/editors/InplaceMaskEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>

void TqvInplaceMaskEdit::SetEditMask(const AnsiString& mask)
{
    if (mask == maskText_) return;
    AnsiString value = IsMasked() ? mask_.ValueOf(Text()) : Text();
    maskText_ = mask;
    mask_ = TqvEditMask(mask);
    SetText(IsMasked() ? mask_.Apply(value) : value);
}

void TqvInplaceMaskEdit::LoadValue(const Variant& value)
{
    if (!IsMasked()) {
        TqvInplaceTextEdit::LoadValue(value);
        return;
    }
    SetText(mask_.Apply(value.IsNull() || value.IsEmpty() ? AnsiString() : value.AsString()));
    SetModified(false);
}

Variant TqvInplaceMaskEdit::EditingValue() const
{
    return IsMasked() ? Variant(mask_.ValueOf(Text())) : TqvInplaceTextEdit::EditingValue();
}

std::vector<AnsiString> TqvInplaceMaskEdit::positions() const
{
    std::vector<AnsiString> chars = TqvEditMask::SplitChars(Text());
    if (chars.size() != mask_.Positions().size()) chars = TqvEditMask::SplitChars(mask_.Apply(mask_.ValueOf(Text())));
    chars.resize(mask_.Positions().size(), AnsiString(1, mask_.Blank()));
    return chars;
}

void TqvInplaceMaskEdit::setPositions(const std::vector<AnsiString>& chars, int caret)
{
    AnsiString text;
    for (const AnsiString& c : chars) text += c;
    if (text != Text()) {
        SetText(text);
        TextChangedByUser();
    }
    SetSelection(std::max(0, caret), 0);
}

int TqvInplaceMaskEdit::editableFrom(int pos, bool forward) const
{
    const auto& ps = mask_.Positions();
    for (int i = pos; i >= 0 && i < static_cast<int>(ps.size()); i += forward ? 1 : -1)
        if (!ps[static_cast<size_t>(i)].IsLiteral()) return i;
    return -1;
}

bool TqvInplaceMaskEdit::blankSelection()
{
    if (SelLength() == 0) return false;
    std::vector<AnsiString> chars = positions();
    int start = SelStart();
    for (int i = start; i < start + SelLength() && i < static_cast<int>(chars.size()); ++i)
        if (!mask_.Positions()[static_cast<size_t>(i)].IsLiteral()) chars[static_cast<size_t>(i)] = AnsiString(1, mask_.Blank());
    int caret = editableFrom(start, true);
    setPositions(chars, caret < 0 ? start : caret);
    return true;
}

bool TqvInplaceMaskEdit::typeAt(const AnsiString& character)
{
    blankSelection();
    int pos = editableFrom(SelStart(), true);
    AnsiString accepted = pos < 0 ? AnsiString() : mask_.Accept(static_cast<size_t>(pos), character);
    if (accepted.empty()) {
        EditorBeep();
        return false;
    }
    std::vector<AnsiString> chars = positions();
    chars[static_cast<size_t>(pos)] = accepted;
    int after = editableFrom(pos + 1, true);
    setPositions(chars, after < 0 ? pos + 1 : after);
    return true;
}

void TqvInplaceMaskEdit::KeyDown(Word& key, TShiftState shift)
{
    if (!IsMasked()) {
        if ((key == 'V' && (shift & ssCtrl)) || (key == VK_INSERT && (shift & ssShift))) {
            PasteFromClipboard();
            key = 0;
            return;
        }
        TqvInplaceTextEdit::KeyDown(key, shift);
        return;
    }
    bool shiftKey = shift & ssShift, ctrl = shift & ssCtrl;
    int pos = SelStart();
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END: {
        if (shiftKey) return;  // selecting: the native control
        int target = key == VK_HOME  ? editableFrom(0, true)
                     : key == VK_END ? editableFrom(static_cast<int>(mask_.Positions().size()) - 1, false) + 1
                     : key == VK_LEFT ? editableFrom(pos - 1, false)
                                      : editableFrom(editableFrom(pos, true) + 1, true);
        if (key == VK_RIGHT && target < 0) target = editableFrom(static_cast<int>(mask_.Positions().size()) - 1, false) + 1;
        if (target >= 0) SetSelection(target, 0);
        key = 0;
        return;
    }
    case VK_BACK:
        if (CanModify() && !blankSelection()) {
            int prev = editableFrom(pos - 1, false);
            if (prev >= 0) {
                std::vector<AnsiString> chars = positions();
                chars[static_cast<size_t>(prev)] = AnsiString(1, mask_.Blank());
                setPositions(chars, prev);
            }
        }
        key = 0;
        return;
    case VK_DELETE:
        if (shiftKey) {
            QApplication::clipboard()->setText(LineEdit()->selectedText());
            DeleteSelection();
        } else if (CanModify() && !blankSelection()) {
            int at = editableFrom(pos, true);
            if (at >= 0) {
                std::vector<AnsiString> chars = positions();
                chars[static_cast<size_t>(at)] = AnsiString(1, mask_.Blank());
                setPositions(chars, at);
            }
        }
        key = 0;
        return;
    case 'V':
        if (ctrl) {
            PasteFromClipboard();
            key = 0;
        }
        return;
    case VK_INSERT:
        if (shiftKey) {
            PasteFromClipboard();
            key = 0;
        }
        return;
    case 'X':
        if (ctrl) {
            QApplication::clipboard()->setText(LineEdit()->selectedText());
            DeleteSelection();
            key = 0;
        }
        return;
    case 'Z':
    case 'Y':
        if (ctrl) key = 0;  // no undo over a mask
        return;
    default: TqvInplaceTextEdit::KeyDown(key, shift); return;
    }
}

void TqvInplaceMaskEdit::KeyPress(char32_t& character)
{
    if (!IsMasked()) {
        TqvInplaceTextEdit::KeyPress(character);
        return;
    }
    QString typed = QString::fromUcs4(&character, 1);
    character = 0;
    AnsiString ansi = QStringToAnsi(typed);
    if (AnsiToQString(ansi) != typed) {
        EditorBeep();
        return;
    }
    typeAt(ansi);
}

void TqvInplaceMaskEdit::PasteFromClipboard()
{
    if (!IsMasked()) {
        Paste();
        return;
    }
    if (!CanModify()) return;
    QString clip = QApplication::clipboard()->text();
    AnsiString ansi = QStringToAnsi(clip);
    if (AnsiToQString(ansi) != clip) {
        EditorBeep();
        return;
    }
    for (const AnsiString& c : TqvEditMask::SplitChars(ansi))
        if (!typeAt(c)) break;
}

void TqvInplaceMaskEdit::DeleteSelection()
{
    if (!IsMasked()) {
        TqvInplaceTextEdit::DeleteSelection();
        return;
    }
    if (CanModify()) blankSelection();
}

void TqvInplaceMaskEdit::ValidateEdit()
{
    if (!IsMasked() || !Modified()) return;
    int missing = mask_.FirstMissing(Text(), ignoreMaskBlank_);
    if (missing < 0) return;
    EditorBeep();
    MarkForReentry();
    if (isVisible()) FocusWidget()->setFocus(Qt::OtherFocusReason);
    SetSelection(missing, 0);
    throw EDBEditError(EditText::MaskInvalidInput);
}
