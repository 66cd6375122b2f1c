#include "grid/editors/InplaceMemoEdit.h"

#include "runtime/Application.h"
#include "runtime/Color.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>

TqvInplaceMemoEdit::TqvInplaceMemoEdit(TCustomqvContainer* container) : TqvInplaceEdit(container)
{
    memo_ = new QPlainTextEdit(this);
    memo_->setFrameShape(QFrame::NoFrame);
    memo_->setTabChangesFocus(false);
    memo_->installEventFilter(this);
    setFocusProxy(memo_);
    QObject::connect(memo_, &QPlainTextEdit::textChanged, this, [this] {
        Guard([&] { TextChangedByUser(); });
    });
    applyScrollBars();
}

AnsiString TqvInplaceMemoEdit::Text() const
{
    QString text = memo_->toPlainText();
    if (crlf_) text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return QStringToAnsi(text);
}

void TqvInplaceMemoEdit::SetText(const AnsiString& text)
{
    AssigningText assigning(this);
    QString q = AnsiToQString(text);
    crlf_ = q.contains(QStringLiteral("\r\n"));
    q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    memo_->setPlainText(q);
}

QWidget* TqvInplaceMemoEdit::FocusWidget() { return memo_; }

void TqvInplaceMemoEdit::SelectAllText() { memo_->selectAll(); }

AnsiString TqvInplaceMemoEdit::FirstLine(const AnsiString& text)
{
    size_t end = text.find_first_of("\r\n");
    return end == AnsiString::npos ? text : text.substr(0, end);
}

void TqvInplaceMemoEdit::SetWordWrap(bool value)
{
    wordWrap_ = value;
    memo_->setLineWrapMode(value ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TqvInplaceMemoEdit::SetScrollBars(TqvScrollBars value)
{
    scrollBars_ = value;
    applyScrollBars();
}

void TqvInplaceMemoEdit::SetHideScrollBars(bool value)
{
    hideScrollBars_ = value;
    applyScrollBars();
}

void TqvInplaceMemoEdit::SetSelectionBar(bool value)
{
    selectionBar_ = value;
    UpdateShape();
}

void TqvInplaceMemoEdit::applyScrollBars()
{
    Qt::ScrollBarPolicy shown = hideScrollBars_ ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOn;
    bool h = scrollBars_ == sbsHorizontal || scrollBars_ == sbsBoth;
    bool v = scrollBars_ == sbsVertical || scrollBars_ == sbsBoth;
    memo_->setHorizontalScrollBarPolicy(h ? shown : Qt::ScrollBarAlwaysOff);
    memo_->setVerticalScrollBarPolicy(v ? shown : Qt::ScrollBarAlwaysOff);
}

void TqvInplaceMemoEdit::ReadOnlyChanged() { memo_->setReadOnly(ReadOnly()); }

void TqvInplaceMemoEdit::UpdateShape()
{
    TqvInplaceEdit::UpdateShape();
    memo_->setGeometry(ContentRect().adjusted(1 + TextMargins().left() + (selectionBar_ ? 8 : 0), 1 + TextMargins().top(),
                                              -1 - TextMargins().right(), -1 - TextMargins().bottom()));
    if (Container()) {
        memo_->setFont(Container()->EditFont().ToQFont());
        QPalette palette = memo_->palette();
        palette.setColor(QPalette::Base, ToQColor(Container()->EditColor()));
        TColor text = Container()->EditFont().Color();
        palette.setColor(QPalette::Text, ToQColor(text == clDefault ? clWindowText : text));
        memo_->setPalette(palette);
    }
}

void TqvInplaceMemoEdit::insert(const QString& text)
{
    if (!CanModify()) return;
    memo_->textCursor().insertText(text);
}

void TqvInplaceMemoEdit::KeyPress(char32_t& character)
{
    QString typed = QString::fromUcs4(&character, 1);
    character = 0;
    if (AnsiToQString(QStringToAnsi(typed)) != typed) {
        EditorBeep();  // the code page has no such character
        return;
    }
    insert(typed);
}

bool TqvInplaceMemoEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != memo_) return TqvInplaceEdit::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        Qt::KeyboardModifiers mods = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
        bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && wantReturns_ && !(mods & Qt::ControlModifier)) {
            Guard([&] { insert(QStringLiteral("\n")); });
            return true;
        }
        if (key->key() == Qt::Key_Tab && wantTabs_ && !mods) {
            Guard([&] { insert(QStringLiteral("\t")); });
            return true;
        }
        bool moves = key->key() == Qt::Key_Up || key->key() == Qt::Key_Down || key->key() == Qt::Key_PageUp ||
                     key->key() == Qt::Key_PageDown;
        if (moves && !(mods & (Qt::ControlModifier | Qt::AltModifier))) return false;  // inside the text
        bool deletes = key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete ||
                       key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Paste) ||
                       key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo);
        if (deletes) {
            bool allowed = false;
            Guard([&] { allowed = CanModify(); });
            if (!allowed) return true;
            if (key->key() != Qt::Key_Backspace && key->key() != Qt::Key_Delete) return false;
        }
        return RouteKeyEvent(key);
    }
    case QEvent::FocusIn: Guard([&] { FocusEntered(); }); return false;
    case QEvent::FocusOut: FocusLeft(static_cast<QFocusEvent*>(event)->reason()); return false;
    default: return false;
    }
}
