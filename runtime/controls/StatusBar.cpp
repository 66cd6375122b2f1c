#include "StatusBar.h"

#include "runtime/controls/Bevel.h"

#include <QPainter>

namespace {
// The gap between panels and the room above them.
constexpr int kGap = 2;
}  // namespace

TStatusBar::TStatusBar(TComponent* owner, QWidget* parent) : TControl(owner, parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(width(), 19);
    SetAlign(alBottom);
}

void TStatusBar::SetPanels(std::vector<TStatusPanel> panels)
{
    panels_ = std::move(panels);
    update();
}

void TStatusBar::SetPanelText(int index, const AnsiString& text)
{
    if (index < 0 || index >= static_cast<int>(panels_.size())) return;
    if (panels_[index].Text == text) return;
    panels_[index].Text = text;
    update();
}

void TStatusBar::SetSimplePanel(bool on)
{
    if (on == simplePanel_) return;
    simplePanel_ = on;
    update();
}

void TStatusBar::SetSimpleText(const AnsiString& text)
{
    if (text == simpleText_) return;
    simpleText_ = text;
    if (simplePanel_) update();
}

QRect TStatusBar::PanelRect(int index) const
{
    QRect bar = rect().adjusted(0, kGap, 0, 0);
    if (simplePanel_) return index == 0 ? bar : QRect();
    int left = 0;
    for (int i = 0; i < static_cast<int>(panels_.size()); ++i) {
        bool last = i + 1 == static_cast<int>(panels_.size());
        int right = last ? bar.right() + 1 : std::min(left + panels_[i].Width, bar.right() + 1);
        if (i == index) return QRect(left, bar.top(), std::max(0, right - left), bar.height());
        left = right + kGap;
    }
    return QRect();
}

void TStatusBar::Paint(QPainter& canvas)
{
    canvas.fillRect(rect(), ToColor(Color()));
    const QColor shadow = ToColor(clBtnShadow), light = ToColor(clBtnHighlight);
    canvas.setPen(ToColor(Font().Color()));
    auto box = [&](QRect r, const AnsiString& text, TAlignment alignment) {
        if (r.isEmpty()) return;
        Frame3D(canvas, r, shadow, light, 1);
        if (text.empty()) return;
        int flags = Qt::AlignVCenter | Qt::TextSingleLine;
        flags |= alignment == taCenter ? Qt::AlignHCenter : alignment == taRightJustify ? Qt::AlignRight : Qt::AlignLeft;
        canvas.drawText(r.adjusted(2, 0, -2, 0), flags, AnsiToQString(text));
    };
    if (simplePanel_) {
        box(PanelRect(0), simpleText_, taLeftJustify);
        return;
    }
    for (int i = 0; i < static_cast<int>(panels_.size()); ++i) box(PanelRect(i), panels_[i].Text, panels_[i].Alignment);
}
