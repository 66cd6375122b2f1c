#include "report/windows/DialogPageWindow.h"

#include "report/model/Page.h"
#include "report/model/View.h"
#include "runtime/AnsiString.h"
#include "runtime/Color.h"
#include "runtime/ModalDialog.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
constexpr uint8_t bsSizeable = 2;
constexpr uint8_t poDesigned = 0;
}  // namespace

TrqDialogPageWindow::TrqDialogPageWindow(const TrqPage& page)
{
    if (page.BorderStyle == bsSizeable) {
        setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                       Qt::WindowMinMaxButtonsHint);
        resize(page.Width, page.Height);
    } else {
        setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
        setFixedSize(page.Width, page.Height);
    }
    setWindowTitle(AnsiToQString(page.Caption));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ToQColor(static_cast<TColor>(page.Color), &colours));
    setPalette(colours);
    setAutoFillBackground(true);

    if (page.Position == poDesigned) {
        move(page.Left, page.Top);
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(page.Width / 2, page.Height / 2));
    }
}

TrqDialogPageWindow::~TrqDialogPageWindow()
{
    for (QPointer<QWidget>& widget : placed_)
        if (widget && widget->parent() == this) {
            widget->hide();
            widget->setParent(nullptr);
        }
}

void TrqDialogPageWindow::Place(QWidget& widget, const TrqView& view)
{
    widget.setParent(this);
    widget.setGeometry(view.Left, view.Top, view.Width, view.Height);
    widget.setVisible(view.Visible);
    placed_.emplace_back(&widget);
}

int TrqDialogPageWindow::ShowModal()
{
    const int result = ExecModal(*this);
    return result == QDialog::Rejected ? mrNone : result;
}
