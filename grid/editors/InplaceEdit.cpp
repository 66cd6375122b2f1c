#include "grid/editors/InplaceEdit.h"

#include "runtime/Application.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QScopeGuard>
#include <QWheelEvent>

// ---- Beep

namespace {
std::function<void()>& beepHook()
{
    static std::function<void()> hook;
    return hook;
}
}  // namespace

void EditorBeep()
{
    if (beepHook())
        beepHook()();
    else
        QApplication::beep();
}

std::function<void()> SetEditorBeepHook(std::function<void()> hook)
{
    std::function<void()> old = std::move(beepHook());
    beepHook() = std::move(hook);
    return old;
}

// ---- Life

TqvInplaceEdit::TqvInplaceEdit(TCustomqvContainer* container) : QWidget(container), container_(container)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    hide();
    if (auto* source = dynamic_cast<TqvEditStyleSource*>(container)) style_ = source->CreateEditStyle(this);
    if (!style_) style_ = std::make_unique<TqvEditStyle>(this);
}

TqvInplaceEdit::~TqvInplaceEdit()
{
    if (controller_) controller_->removeEditor(this);
}

void TqvInplaceEdit::SetStyleController(TqvStyleController* controller)
{
    if (controller == controller_) return;
    if (controller_) controller_->removeEditor(this);
    controller_ = controller;
    if (controller_) controller_->addEditor(this);
    StyleChanged();
}

void TqvInplaceEdit::controllerGone(TqvStyleController* controller)
{
    if (controller != controller_) return;
    controller_ = nullptr;
    StyleChanged();
}

void TqvInplaceEdit::StyleChanged()
{
    UpdateShape();
    update();
}

void TqvInplaceEdit::SetReadOnly(bool value)
{
    if (value == readOnly_) return;
    readOnly_ = value;
    ReadOnlyChanged();
}

void TqvInplaceEdit::SetAlignment(TAlignment value)
{
    if (value == alignment_) return;
    alignment_ = value;
    AlignmentChanged();
    update();
}

void TqvInplaceEdit::SetTextMargins(const QMargins& margins)
{
    if (margins == textMargins_) return;
    textMargins_ = margins;
    UpdateShape();
}

// ---- Value and the editing turn

void TqvInplaceEdit::LoadValue(const Variant& value)
{
    AssigningText assigning(this);
    SetText(value.IsNull() || value.IsEmpty() ? AnsiString() : value.AsString());
}

void TqvInplaceEdit::Activate()
{
    active_ = true;
    if (reentry_) {
        reentry_ = false;
        return;
    }
    restoreText_ = Text();
    restoreModified_ = Modified();
}

void TqvInplaceEdit::ShowAt(const QRect& cell)
{
    if (cell.isEmpty()) return;
    bool wasVisible = isVisible();
    setGeometry(cell.adjusted(-2, -2, 2, 2));
    UpdateShape();
    show();
    raise();
    QWidget* focus = FocusWidget();
    if (!focus->hasFocus()) focus->setFocus(Qt::OtherFocusReason);
    SelectAllText();
    if (!wasVisible && activateLock_ == 0) DoActivate();
}

void TqvInplaceEdit::HideEditor()
{
    active_ = false;
    reentry_ = false;
    setMouseOver(false);
    if (!isVisible()) return;
    setUpdatesEnabled(false);
    hide();
    setUpdatesEnabled(true);
}

void TqvInplaceEdit::ValidateText()
{
    if (!Modified() || validateLock_ > 0) return;
    ValidateEdit();
    AnsiString error = EditText::InvalidInput;
    bool accept = true;
    if (OnValidate) OnValidate(this, error, accept);
    if (!accept) {
        EditorBeep();
        if (isVisible()) FocusWidget()->setFocus(Qt::OtherFocusReason);
        throw EqvEditInvalidInput(error);
    }
}

void TqvInplaceEdit::RestoreText()
{
    if (!Modified()) return;
    {
        AssigningText assigning(this);
        SetText(restoreText_);
    }
    SetModified(restoreModified_);
}

bool TqvInplaceEdit::CanModify()
{
    if (readOnly_) return false;
    return container_ ? container_->CanEditModify() : true;
}

void TqvInplaceEdit::TextChangedByUser()
{
    if (IsAssigning()) return;
    SetModified(true);
    if (OnChange) OnChange(this);
}

// ---- Keys

bool IsEditorCheckedKey(Word key)
{
    switch (key) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
    case VK_INSERT: return true;
    default: return false;
    }
}

namespace {

bool isHandedOnKey(Word key, TShiftState shift)
{
    if (key == VK_TAB) return !(shift & ssAlt);
    if (key == VK_INSERT) return !(shift & (ssShift | ssCtrl));
    return key == VK_RETURN || key == VK_ESCAPE || key == VK_PRIOR || key == VK_NEXT || key == VK_UP ||
           key == VK_DOWN;
}
}  // namespace

void TqvInplaceEdit::DoKeyDown(Word& key, TShiftState shift)
{
    if (key == VK_ESCAPE) RestoreText();
    if (IsEditorCheckedKey(key)) ValidateText();
    // The container's focus moves while it handles the key must not check
    // the text a second time.
    ++validateLock_;
    auto unlock = qScopeGuard([this] { --validateLock_; });
    if (isHandedOnKey(key, shift)) {
        Word handed = key;
        key = 0;
        if (container_) container_->EditorKeyDown(handed, shift);
        return;
    }
    if (key == VK_F2) {
        if (container_) container_->EditorKeyDownNotify(key, shift);
        if (key == VK_F2) {
            KeyDown(key, shift);  // the kind puts the caret at the end
            key = 0;
        }
        return;
    }
    if (key && container_) container_->EditorKeyDownNotify(key, shift);
    if (key) KeyDown(key, shift);
}

void TqvInplaceEdit::DoKeyPress(char32_t& character)
{
    if (container_) container_->EditorKeyPress(character);
    TypeCharacter(character);
}

void TqvInplaceEdit::TypeCharacter(char32_t character)
{
    if (!character) return;
    if (character > 31 && container_ && !container_->IsAcceptedKey(character)) {
        EditorBeep();
        character = 0;
        return;
    }
    if (character == U'\t' && !(container_ && container_->WantTabs())) character = 0;
    if (character == 27) character = 0;
    if ((character > 31 || character == U'\t') && character != 127 && !CanModify()) character = 0;
    if (character) KeyPress(character);
}

bool TqvInplaceEdit::RouteKeyEvent(QKeyEvent* event)
{
    if (container_ && container_->IsSuppressKeys()) return true;
    KeyStroke stroke = TranslateKeyEvent(*event);
    bool wantTabs = container_ && container_->WantTabs();
    // Tab between controls is the window's: the grid's exit handling then
    // writes the value when the editor loses the focus (or, with no other
    // control to go to, the grid closes the editor as for a focus move).
    // With Ctrl or Alt it is nobody's: it never reaches the grid's Tab rules.
    if (stroke.key == VK_TAB && !wantTabs) {
        if (!(stroke.shift & (ssAlt | ssCtrl)))
            Guard([&] {
                if (container_ && !container_->FocusNextControl(!(stroke.shift & ssShift))) container_->FocusStays();
            });
        return true;
    }
    QPointer<TqvInplaceEdit> self(this);
    bool handOn = isHandedOnKey(stroke.key, stroke.shift);
    bool native = false;
    Guard([&] {
        Word key = stroke.key;
        if (key) DoKeyDown(key, stroke.shift);
        if (!self || handOn) return;  // Enter, Tab, Esc...: no character follows
        char32_t c = stroke.character;
        bool control = stroke.shift & (ssCtrl | ssAlt);
        if (c >= 32 && c != 127 && !control) {
            DoKeyPress(c);
        } else if (key) {
            // Keys the native control handles (caret moves, Backspace,
            // Delete, copy): the container still hears a Backspace.
            if (c == 8 && container_) {
                container_->EditorKeyPress(c);
                if (!c) return;
            }
            native = true;
        }
    });
    return !native;
}

bool TqvInplaceEdit::TakeOpeningDoubleClick()
{
    bool within = openingClick_.isValid() && openingClick_.elapsed() <= QApplication::doubleClickInterval();
    openingClick_.invalidate();
    return within;
}

// ---- Focus

void TqvInplaceEdit::FocusEntered()
{
    setMouseOver(underMouse());
}

void TqvInplaceEdit::FocusLeft(Qt::FocusReason reason)
{
    setMouseOver(underMouse());
    if (!active_ || !isVisible()) return;
    // A popup, a modal window or the editor's own error box takes the focus
    // only for a while: the text is checked when the user really leaves.
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) return;
    QWidget* next = QApplication::focusWidget();
    if (next && (next == this || isAncestorOf(next))) return;
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) return;
    Guard([&] {
        if (validateLock_ == 0) ValidateText();
        if (container_) container_->EditorFocusLost(next);
    });
}

void TqvInplaceEdit::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    if (FocusWidget() != this) {
        FocusWidget()->setFocus(event->reason());
        return;
    }
    FocusEntered();
}

void TqvInplaceEdit::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    if (FocusWidget() == this) FocusLeft(event->reason());
}

// ---- Mouse

void TqvInplaceEdit::setMouseOver(bool over)
{
    if (over == mouseOver_) return;
    mouseOver_ = over;
    TqvEditStyleData style = style_->Values();
    if (style.HotTrack || style.ButtonTransparence != ebtNone) StyleChanged();
}

void TqvInplaceEdit::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    Guard([&] {
        setMouseOver(true);
        if (OnMouseEnter) OnMouseEnter(this);
    });
}

void TqvInplaceEdit::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    Guard([&] {
        setMouseOver(false);
        if (OnMouseLeave) OnMouseLeave(this);
    });
}

void TqvInplaceEdit::wheelEvent(QWheelEvent* event)
{
    // The wheel scrolls the grid, not the editor.
    Guard([&] {
        int notches = event->angleDelta().y() / 120;
        if (notches && container_) container_->EditorScroll(notches * QApplication::wheelScrollLines());
    });
    event->accept();
}

// ---- Shape and painting

std::unique_ptr<TqvEditViewData> TqvInplaceEdit::CreateViewData() const { return std::make_unique<TqvEditViewData>(); }

void TqvInplaceEdit::FillViewData(TqvEditViewData& data) const
{
    TqvEditStyleData style = style_->Values();
    data.Enabled = isEnabled();
    data.Focused = const_cast<TqvInplaceEdit*>(this)->FocusWidget()->hasFocus();
    data.MouseOver = mouseOver_;
    data.BorderColor = style.BorderColor;
    data.BorderStyle = style.HotTrack && mouseOver_ ? HotTrackedBorder(style.BorderStyle) : style.BorderStyle;
    data.ButtonStyle = ResolvedButtonStyle(style.ButtonStyle, data.BorderStyle);
    data.ButtonTransparent =
        style.ButtonTransparence == ebtAlways || (style.ButtonTransparence == ebtInactive && !mouseOver_);
    data.Edges = style.Edges;
    data.Shadow = style.Shadow;
    data.Transparent = false;
    data.Bounds = QRect(0, 0, width(), height());
    data.TextMargins = textMargins_;
    data.Font = container_ ? container_->EditFont() : TFont();
    if (data.Enabled) {
        data.Brush = data.BkColor = container_ ? container_->EditColor() : clWindow;
        data.TextColor = data.Font.Color() == clDefault ? clWindowText : data.Font.Color();
    } else {
        data.Brush = data.BkColor = clBtnFace;
        data.TextColor = clBtnShadow;
    }
    data.Alignment = alignment_;
    data.Text = Text();
    data.TextLength = static_cast<int>(data.Text.size());
}

void TqvInplaceEdit::PaintView(QPainter& canvas, const TqvEditViewData& data) const { PaintEditFrame(canvas, data); }

QRect TqvInplaceEdit::ContentRect() const
{
    std::unique_ptr<TqvEditViewData> data = CreateViewData();
    FillViewData(*data);
    return EditContentRect(data->Bounds, *data);
}

void TqvInplaceEdit::UpdateShape()
{
    TqvEditStyleData style = style_->Values();
    setMask(EditWindowRegion(QRect(0, 0, width(), height()), style.Shadow));
}

void TqvInplaceEdit::paintEvent(QPaintEvent*)
{
    Guard([&] {
        QPainter painter(this);
        std::unique_ptr<TqvEditViewData> data = CreateViewData();
        FillViewData(*data);
        // The native control paints the text itself; the frame is ours.
        PaintEditFrame(painter, *data);
    });
}

void TqvInplaceEdit::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Guard([&] { UpdateShape(); });
}
