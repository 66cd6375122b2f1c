#include "grid/editors/InplaceGraphicEdit.h"

#include "grid/editors/InplacePopupControl.h"
#include "runtime/Application.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

namespace {
TqvGraphicFileNameHook& fileNameHook()
{
    static TqvGraphicFileNameHook hook;
    return hook;
}

QString askFileName(bool save)
{
    if (fileNameHook()) return fileNameHook()(save);
    QString filter = QStringLiteral("Pictures (*.png *.jpg *.jpeg *.bmp *.gif);;All files (*)");
    return save ? QFileDialog::getSaveFileName(nullptr, QString(), QString(), filter)
                : QFileDialog::getOpenFileName(nullptr, QString(), QString(), filter);
}
}  // namespace

TqvGraphicFileNameHook SetGraphicFileNameHook(TqvGraphicFileNameHook hook)
{
    TqvGraphicFileNameHook old = std::move(fileNameHook());
    fileNameHook() = std::move(hook);
    return old;
}

TqvInplaceGraphicEdit::TqvInplaceGraphicEdit(TCustomqvContainer* container) : TqvInplaceEdit(container)
{
    setCursor(Qt::ArrowCursor);
}

TqvInplaceGraphicEdit::~TqvInplaceGraphicEdit() = default;

void TqvInplaceGraphicEdit::SetText(const AnsiString& bytes)
{
    bytes_ = bytes;
    picture_ = QPixmap();
    if (!bytes_.empty()) picture_.loadFromData(reinterpret_cast<const uchar*>(bytes_.data()), static_cast<uint>(bytes_.size()));
    update();
}

Variant TqvInplaceGraphicEdit::EditingValue() const { return bytes_.empty() ? Variant::Null() : Variant(bytes_); }

void TqvInplaceGraphicEdit::setBytes(const AnsiString& bytes)
{
    SetText(bytes);
    TextChangedByUser();
}

void TqvInplaceGraphicEdit::CopyToClipboard()
{
    if (!picture_.isNull()) QApplication::clipboard()->setPixmap(picture_);
}

void TqvInplaceGraphicEdit::CutToClipboard()
{
    if (picture_.isNull() || !CanModify()) return;
    CopyToClipboard();
    setBytes({});
}

void TqvInplaceGraphicEdit::PasteFromClipboard()
{
    QImage image = QApplication::clipboard()->image();
    if (image.isNull() || !CanModify()) return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    setBytes(AnsiString(png.constData(), static_cast<size_t>(png.size())));
}

void TqvInplaceGraphicEdit::DeletePicture()
{
    if (bytes_.empty() || !CanModify()) return;
    setBytes({});
}

void TqvInplaceGraphicEdit::LoadFromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw EqvEditInvalidInput("Cannot open file " + QStringToAnsi(path));
    QByteArray data = file.readAll();
    QPixmap check;
    if (!check.loadFromData(data)) throw EqvEditInvalidInput("Not a picture: " + QStringToAnsi(path));
    if (!CanModify()) return;
    setBytes(AnsiString(data.constData(), static_cast<size_t>(data.size())));
}

void TqvInplaceGraphicEdit::SaveToFile(const QString& path) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes_.data(), static_cast<qint64>(bytes_.size())) != static_cast<qint64>(bytes_.size()))
        throw EqvEditInvalidInput("Cannot write file " + QStringToAnsi(path));
}

void TqvInplaceGraphicEdit::Load()
{
    QString path = askFileName(false);
    if (!path.isEmpty()) LoadFromFile(path);
}

void TqvInplaceGraphicEdit::Save()
{
    if (bytes_.empty()) return;
    QString path = askFileName(true);
    if (!path.isEmpty()) SaveToFile(path);
}

TqvInplacePopupControl* TqvInplaceGraphicEdit::ToolBar()
{
    if (toolBar_) return toolBar_;
    toolBar_ = new TqvInplacePopupControl(this);
    toolBar_->SetPopupBorder(pbFlat);
    auto* row = new QHBoxLayout(toolBar_);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    struct Command {
        const char* name;
        const char* text;
        void (TqvInplaceGraphicEdit::*run)();
    } const commands[] = {
        {"cut", "Cut", &TqvInplaceGraphicEdit::CutToClipboard},
        {"copy", "Copy", &TqvInplaceGraphicEdit::CopyToClipboard},
        {"paste", "Paste", &TqvInplaceGraphicEdit::PasteFromClipboard},
        {"delete", "Delete", &TqvInplaceGraphicEdit::DeletePicture},
        {"load", "Load...", &TqvInplaceGraphicEdit::Load},
        {"save", "Save...", &TqvInplaceGraphicEdit::Save},
    };
    for (const Command& c : commands) {
        auto* button = new QToolButton(toolBar_);
        button->setObjectName(QString::fromLatin1(c.name));
        button->setText(QString::fromLatin1(c.text));
        button->setAutoRaise(true);
        auto run = c.run;
        QObject::connect(button, &QToolButton::clicked, toolBar_, [this, run] {
            toolBar_->ClosePopup();
            Guard([&] { (this->*run)(); });
        });
        row->addWidget(button);
    }
    return toolBar_;
}

void TqvInplaceGraphicEdit::ShowToolBar()
{
    if (!popupToolBar_) return;
    TqvInplacePopupControl* bar = ToolBar();
    bar->adjustSize();
    bar->move(mapToGlobal(QPoint(0, height())));
    bar->show();
}

void TqvInplaceGraphicEdit::PaintGraphic(QPainter& canvas, const QRect& rect, const QPixmap& picture, bool center,
                                         bool stretch)
{
    if (picture.isNull() || rect.isEmpty()) return;
    QSize size = picture.size();
    if (stretch) size.scale(rect.size(), Qt::KeepAspectRatio);
    QRect target(rect.topLeft(), size);
    if (center) target.moveCenter(rect.center());
    canvas.save();
    canvas.setClipRect(rect);
    canvas.setRenderHint(QPainter::SmoothPixmapTransform, stretch);
    canvas.drawPixmap(target, picture);
    canvas.restore();
}

void TqvInplaceGraphicEdit::PaintView(QPainter& canvas, const TqvEditViewData& data) const
{
    QRect inner = PaintEditFrame(canvas, data);
    PaintGraphic(canvas, inner.adjusted(1, 1, -1, -1), picture_, center_, stretch_);
}

void TqvInplaceGraphicEdit::paintEvent(QPaintEvent*)
{
    Guard([&] {
        QPainter canvas(this);
        std::unique_ptr<TqvEditViewData> data = CreateViewData();
        FillViewData(*data);
        PaintView(canvas, *data);
    });
}

// The clipboard keys of a picture.
void TqvInplaceGraphicEdit::KeyDown(Word& key, TShiftState shift)
{
    bool ctrl = shift & ssCtrl;
    if ((ctrl && key == 'C') || (ctrl && key == VK_INSERT)) CopyToClipboard();
    else if ((ctrl && key == 'X') || ((shift & ssShift) && key == VK_DELETE)) CutToClipboard();
    else if ((ctrl && key == 'V') || ((shift & ssShift) && key == VK_INSERT)) PasteFromClipboard();
    else if (key == VK_DELETE) DeletePicture();
    else return;
    key = 0;
}

void TqvInplaceGraphicEdit::keyPressEvent(QKeyEvent* event)
{
    if (!RouteKeyEvent(event)) QWidget::keyPressEvent(event);
}

void TqvInplaceGraphicEdit::mousePressEvent(QMouseEvent* event)
{
    if (!hasFocus()) setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::RightButton) Guard([&] { ShowToolBar(); });
}
