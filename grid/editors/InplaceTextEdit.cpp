#include "grid/editors/InplaceTextEdit.h"

#include "runtime/Application.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QRegularExpression>

namespace {
// True when the code page holds every character of the text.
bool encodable(const QString& text) { return AnsiToQString(QStringToAnsi(text)) == text; }

// The longest head of `text` of at most `bytes` bytes that ends on a
// character boundary.
AnsiString headOfBytes(const AnsiString& text, size_t bytes)
{
    size_t end = 0;
    while (end < text.size()) {
        size_t next = end + CharLengthAt(text, end);
        if (next > bytes) break;
        end = next;
    }
    return text.substr(0, end);
}
}  // namespace

TqvInplaceTextEdit::TqvInplaceTextEdit(TCustomqvContainer* container) : TqvInplaceEdit(container)
{
    edit_ = new QLineEdit(this);
    edit_->setFrame(false);
    edit_->setContextMenuPolicy(Qt::NoContextMenu);
    edit_->installEventFilter(this);
    setFocusProxy(edit_);
    QObject::connect(edit_, &QLineEdit::textEdited, this, Guarded([this](const QString&) { TextChangedByUser(); }));
    if (container) edit_->setFont(container->EditFont().ToQFont());
}

TqvInplaceTextEdit::~TqvInplaceTextEdit() { edit_->removeEventFilter(this); }

QWidget* TqvInplaceTextEdit::FocusWidget() { return edit_; }

AnsiString TqvInplaceTextEdit::Text() const { return QStringToAnsi(edit_->text()); }

void TqvInplaceTextEdit::SetText(const AnsiString& text)
{
    AssigningText assigning(this);
    // setText also clears the undo history: a loaded value cannot be undone.
    edit_->setText(AnsiToQString(text));
}

void TqvInplaceTextEdit::LoadValue(const Variant& value)
{
    TqvInplaceEdit::LoadValue(value);
    SetModified(false);
}

AnsiString TqvInplaceTextEdit::ApplyCharCase(const AnsiString& text) const
{
    switch (charCase_) {
    case ecUpperCase: return UpperCase(text);
    case ecLowerCase: return LowerCase(text);
    default: return text;
    }
}

void TqvInplaceTextEdit::SetCharCase(TEditCharCase value)
{
    if (value == charCase_) return;
    charCase_ = value;
    int start = edit_->selectionStart(), length = edit_->selectedText().size(), cursor = edit_->cursorPosition();
    bool modified = Modified();
    SetText(ApplyCharCase(Text()));
    if (start >= 0)
        edit_->setSelection(start, length);
    else
        edit_->setCursorPosition(cursor);
    SetModified(modified);
}

void TqvInplaceTextEdit::SetPasswordChar(char value)
{
    passwordChar_ = value;
    edit_->setEchoMode(value ? QLineEdit::Password : QLineEdit::Normal);
    update();
}

void TqvInplaceTextEdit::SetSelectionBar(bool value)
{
    if (value == selectionBar_) return;
    selectionBar_ = value;
    UpdateShape();
}

int TqvInplaceTextEdit::SelStart() const
{
    return edit_->hasSelectedText() ? edit_->selectionStart() : edit_->cursorPosition();
}

int TqvInplaceTextEdit::SelLength() const { return static_cast<int>(edit_->selectedText().size()); }

void TqvInplaceTextEdit::SetSelection(int start, int length)
{
    if (length > 0)
        edit_->setSelection(start, length);
    else {
        edit_->deselect();
        edit_->setCursorPosition(start);
    }
}

void TqvInplaceTextEdit::SelectAll() { edit_->selectAll(); }

void TqvInplaceTextEdit::ReadOnlyChanged() { edit_->setReadOnly(ReadOnly()); }

void TqvInplaceTextEdit::AlignmentChanged()
{
    Qt::Alignment a = Alignment() == taRightJustify ? Qt::AlignRight
                      : Alignment() == taCenter     ? Qt::AlignHCenter
                                                    : Qt::AlignLeft;
    edit_->setAlignment(a | Qt::AlignVCenter);
}

void TqvInplaceTextEdit::UpdateShape()
{
    TqvInplaceEdit::UpdateShape();
    QRect r = ContentRect().adjusted(1 + TextMargins().left() + (selectionBar_ ? 8 : 0), 1 + TextMargins().top(),
                                     -1 - TextMargins().right() - (Alignment() == taRightJustify ? 1 : 0),
                                     -1 - TextMargins().bottom());
    edit_->setGeometry(r);
    if (Container()) {
        edit_->setFont(Container()->EditFont().ToQFont());
        QPalette palette = edit_->palette();
        palette.setColor(QPalette::Base, ToQColor(Container()->EditColor()));
        TColor text = Container()->EditFont().Color();
        palette.setColor(QPalette::Text, ToQColor(text == clDefault ? clWindowText : text));
        edit_->setPalette(palette);
    }
}

// ---- Changing the text

AnsiString TqvInplaceTextEdit::TextWithSelectionReplaced(const AnsiString& text) const
{
    QString all = edit_->text();
    all.replace(SelStart(), SelLength(), AnsiToQString(text));
    return QStringToAnsi(all);
}

void TqvInplaceTextEdit::ReplaceSelection(const AnsiString& text)
{
    {
        AssigningText assigning(this);
        edit_->insert(AnsiToQString(text));
    }
    TextChangedByUser();
}

bool TqvInplaceTextEdit::InsertText(const AnsiString& text, bool pasted)
{
    AnsiString insert = text;
    if (maxLength_ > 0) {
        size_t kept = Text().size() - QStringToAnsi(edit_->selectedText()).size();
        size_t room = kept >= static_cast<size_t>(maxLength_) ? 0 : maxLength_ - kept;
        if (insert.size() > room) {
            // Typing into a full editor is refused; a paste keeps what fits.
            insert = pasted ? headOfBytes(insert, room) : AnsiString();
            if (insert.empty()) {
                EditorBeep();
                return false;
            }
        }
    }
    if (pasted && !AcceptPaste(TextWithSelectionReplaced(insert))) return false;
    ReplaceSelection(insert);
    return true;
}

void TqvInplaceTextEdit::Paste()
{
    if (!CanModify()) return;
    QString clip = QApplication::clipboard()->text();
    // One line only: a single-line editor stops at the first line break.
    qsizetype br = clip.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (br >= 0) clip.truncate(br);
    if (clip.isEmpty()) return;
    if (!encodable(clip)) {
        EditorBeep();
        return;
    }
    InsertText(ApplyCharCase(QStringToAnsi(clip)), true);
}

void TqvInplaceTextEdit::Cut()
{
    if (!edit_->hasSelectedText() || passwordChar_ || !CanModify()) return;
    QApplication::clipboard()->setText(edit_->selectedText());
    ReplaceSelection({});
}

void TqvInplaceTextEdit::ClearSelection()
{
    if (!edit_->hasSelectedText() || !CanModify()) return;
    ReplaceSelection({});
}

void TqvInplaceTextEdit::PassClick(const QPoint& at)
{
    QPoint inEdit = edit_->mapFrom(this, at);
    edit_->deselect();
    edit_->setCursorPosition(edit_->cursorPositionAt(inEdit));
}

// ---- Keys

void TqvInplaceTextEdit::KeyDown(Word& key, TShiftState shift)
{
    bool ctrl = shift & ssCtrl, shiftKey = shift & ssShift;
    switch (key) {
    case VK_F2:
        edit_->deselect();
        edit_->end(false);
        key = 0;
        break;
    case VK_BACK:
        if (!CanModify()) key = 0;
        break;
    case VK_DELETE:
        if (shiftKey) {
            Cut();
            key = 0;
        } else if (!CanModify()) {
            key = 0;
        }
        break;
    case VK_INSERT:
        if (shiftKey) {
            Paste();
            key = 0;
        }
        break;
    case 'V':
        if (ctrl) {
            Paste();
            key = 0;
        }
        break;
    case 'X':
        if (ctrl) {
            Cut();
            key = 0;
        }
        break;
    case 'Z':
    case 'Y':
        if (ctrl && !CanModify()) key = 0;
        break;
    default: break;
    }
}

void TqvInplaceTextEdit::KeyPress(char32_t& character)
{
    QString typed = QString::fromUcs4(&character, 1);
    character = 0;
    if (!encodable(typed)) {
        EditorBeep();
        return;
    }
    InsertText(ApplyCharCase(QStringToAnsi(typed)), false);
}

bool TqvInplaceTextEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != edit_) return TqvInplaceEdit::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: return RouteKeyEvent(static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn:
        Guard([&] {
            FocusEntered();
            if (autoSelect_ && !(QApplication::mouseButtons() & Qt::LeftButton)) edit_->selectAll();
        });
        return false;
    case QEvent::FocusOut: FocusLeft(static_cast<QFocusEvent*>(event)->reason()); return false;
    case QEvent::ContextMenu: {
        for (QWidget* w = this; w; w = w->parentWidget())
            if (w->contextMenuPolicy() == Qt::CustomContextMenu || w->contextMenuPolicy() == Qt::ActionsContextMenu)
                return false;  // the parent's own menu
        auto* e = static_cast<QContextMenuEvent*>(event);
        QPoint at = e->pos();
        if (e->reason() == QContextMenuEvent::Keyboard)
            at = QPoint(std::min(edit_->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x(), edit_->width() - 1),
                        edit_->inputMethodQuery(Qt::ImCursorRectangle).toRect().bottom());
        Guard([&] { showContextMenu(at); });
        return true;
    }
    default: return false;
    }
}

// ---- The context menu

QMenu* TqvInplaceTextEdit::ContextMenu()
{
    if (menu_) return menu_;
    menu_ = new QMenu(this);
    auto add = [&](const char* text, auto action) {
        QAction* a = menu_->addAction(QString::fromLatin1(text));
        a->setObjectName(QString::fromLatin1(text));
        QObject::connect(a, &QAction::triggered, this, [action](bool) { Guard(action); });
    };
    add("&Undo", [this] {
        if (CanModify()) edit_->undo();
    });
    add("&Redo", [this] {
        if (CanModify()) edit_->redo();
    });
    menu_->addSeparator();
    add("Cu&t", [this] { Cut(); });
    add("&Copy", [this] {
        if (!passwordChar_) edit_->copy();
    });
    add("&Paste", [this] { Paste(); });
    add("&Delete", [this] { ClearSelection(); });
    menu_->addSeparator();
    add("Select &All", [this] { edit_->selectAll(); });
    QObject::connect(menu_, &QMenu::aboutToShow, this, [this] {
        bool selection = edit_->hasSelectedText();
        bool changeable = !ReadOnly();
        const QList<QAction*> actions = menu_->actions();
        auto set = [&](const char* name, bool on) {
            for (QAction* a : actions)
                if (a->objectName() == QLatin1String(name)) a->setEnabled(on);
        };
        set("&Undo", edit_->isUndoAvailable());
        set("&Redo", edit_->isRedoAvailable());
        set("Cu&t", selection && changeable && !passwordChar_);
        set("&Copy", selection && !passwordChar_);
        set("&Paste", changeable && !QApplication::clipboard()->text().isEmpty());
        set("&Delete", selection && changeable);
        set("Select &All", edit_->selectedText().size() != edit_->text().size());
    });
    return menu_;
}

void TqvInplaceTextEdit::showContextMenu(const QPoint& at) { ContextMenu()->popup(edit_->mapToGlobal(at)); }

// ---- Painting without a window

std::unique_ptr<TqvEditViewData> TqvInplaceTextEdit::CreateViewData() const
{
    return std::make_unique<TqvTextEditViewData>();
}

void TqvInplaceTextEdit::FillViewData(TqvEditViewData& data) const
{
    TqvInplaceEdit::FillViewData(data);
    if (auto* text = dynamic_cast<TqvTextEditViewData*>(&data)) {
        text->CharCase = charCase_;
        text->PasswordChar = passwordChar_;
        text->SelectionBar = selectionBar_;
        text->NoBorder = data.BorderStyle == xbsNone;
    }
}

void TqvInplaceTextEdit::PaintView(QPainter& canvas, const TqvEditViewData& data) const
{
    if (auto* text = dynamic_cast<const TqvTextEditViewData*>(&data))
        PaintTextEditView(canvas, *text);
    else
        TqvInplaceEdit::PaintView(canvas, data);
}
