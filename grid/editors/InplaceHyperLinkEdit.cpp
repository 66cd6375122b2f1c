#include "grid/editors/InplaceHyperLinkEdit.h"

#include "grid/editors/InplaceButtonEdit.h"
#include "runtime/Application.h"
#include "runtime/Color.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QLineEdit>
#include <QUrl>

namespace {
TqvHyperLinkStarter& starter()
{
    static TqvHyperLinkStarter s;
    return s;
}
}  // namespace

TqvHyperLinkStarter SetHyperLinkStarter(TqvHyperLinkStarter s)
{
    TqvHyperLinkStarter old = std::move(starter());
    starter() = std::move(s);
    return old;
}

void StartHyperLink(const AnsiString& link)
{
    if (starter()) {
        starter()(link);
        return;
    }
    QString text = AnsiToQString(link).trimmed();
    QUrl url = QUrl::fromUserInput(text);
    if (url.isValid()) QDesktopServices::openUrl(url);
}

TqvInplaceHyperLinkEdit::TqvInplaceHyperLinkEdit(TCustomqvContainer* container) : TqvInplaceTextEdit(container) {}

void TqvInplaceHyperLinkEdit::SetEditBackgroundColor(TColor value)
{
    background_ = value;
    UpdateShape();
}

void TqvInplaceHyperLinkEdit::SetEditFontColor(TColor value)
{
    fontColor_ = value;
    UpdateShape();
}

void TqvInplaceHyperLinkEdit::UpdateShape()
{
    TqvInplaceTextEdit::UpdateShape();
    QPalette palette = LineEdit()->palette();
    palette.setColor(QPalette::Base, ToQColor(background_));
    palette.setColor(QPalette::Text, ToQColor(fontColor_));
    LineEdit()->setPalette(palette);
    QFont font = LineEdit()->font();
    font.setUnderline(true);
    LineEdit()->setFont(font);
}

void TqvInplaceHyperLinkEdit::FillViewData(TqvEditViewData& data) const
{
    TqvInplaceTextEdit::FillViewData(data);
    if (!data.Enabled) return;
    data.Brush = data.BkColor = background_;
    data.TextColor = fontColor_;
    data.Font.SetStyle(data.Font.Style() | fsUnderline);
}

void TqvInplaceHyperLinkEdit::Start()
{
    if (OnStartClick) OnStartClick(this);
    if (!Text().empty()) StartHyperLink(Text());
}

void TqvInplaceHyperLinkEdit::PassClick(const QPoint& at)
{
    TqvInplaceTextEdit::PassClick(at);
    if (singleClick_) Start();
}

bool TqvInplaceHyperLinkEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == LineEdit()) {
        if (event->type() == QEvent::KeyPress) {
            KeyStroke stroke = TranslateKeyEvent(*static_cast<QKeyEvent*>(event));
            if (IsShortCut(startKey_, stroke.key, stroke.shift)) {
                Guard([&] { Start(); });
                return true;
            }
        }
        if (event->type() == QEvent::MouseButtonDblClick ||
            (singleClick_ && event->type() == QEvent::MouseButtonRelease)) {
            Guard([&] { Start(); });
            if (event->type() == QEvent::MouseButtonDblClick) return true;
        }
    }
    return TqvInplaceTextEdit::eventFilter(watched, event);
}
