#include "grid/db/FilterDropDown.h"

#include "grid/editors/InplaceDropDownEdit.h"
#include "runtime/Application.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

TqvFilterDropDown::TqvFilterDropDown(QWidget* grid) : QFrame(grid, Qt::Popup), list_(new QListWidget(this))
{
    setObjectName(QStringLiteral("FilterDropDown"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(list_);
    list_->setFrameStyle(QFrame::NoFrame);
    // As few rows as DropDownCount asks for, below a scroll area's usual minimum.
    list_->setMinimumSize(1, 1);
    list_->setUniformItemSizes(true);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->installEventFilter(this);
    QObject::connect(list_, &QListWidget::itemClicked, this,
                     Guarded([this](QListWidgetItem* item) { Choose(list_->row(item)); }));
}

void TqvFilterDropDown::Open(const QRect& anchor, const QStringList& entries, int current, int rows, int width)
{
    list_->clear();
    list_->addItems(entries);
    list_->setCurrentRow(std::clamp(current, 0, std::max(0, static_cast<int>(entries.size()) - 1)));
    const int shown = std::clamp(static_cast<int>(entries.size()), 1, std::max(1, rows));
    const int frame = 2 * (lineWidth() + 1);
    const int rowHeight = std::max(1, list_->sizeHintForRow(0));
    const bool scrolls = static_cast<int>(entries.size()) > shown;
    if (width <= 0) {
        width = list_->sizeHintForColumn(0) + frame + 6 + (scrolls ? list_->verticalScrollBar()->sizeHint().width() : 0);
        width = std::max(width, anchor.width());
    }
    QSize size(width, shown * rowHeight + frame);
    QScreen* screen = parentWidget() && parentWidget()->screen() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1 << 20, 1 << 20);
    // The anchor as wide as the list, so that the list keeps its own width.
    QRect place = TqvInplaceDropDownEdit::PlacePopup(QRect(anchor.topLeft(), QSize(width, anchor.height())), size,
                                                     available, TqvPopupAlignment::Left);
    setGeometry(place);
    show();
    list_->setFocus();
    list_->scrollToItem(list_->currentItem());
}

void TqvFilterDropDown::Choose(int index)
{
    hide();
    if (OnChoose && index >= 0 && index < list_->count()) OnChoose(index);
}

bool TqvFilterDropDown::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            hide();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Guard([&] { Choose(list_->currentRow()); });
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}
