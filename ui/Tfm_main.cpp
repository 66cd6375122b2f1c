#include "Tfm_main.h"

#include "data/Tdm.h"
#include "runtime/Application.h"
#include "runtime/Color.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Tfm_main* fm_main = nullptr;

Tfm_main::Tfm_main(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    TComponent::SetName("fm_main");
    RegisterGlobalComponent(this);
    setWindowTitle(QStringLiteral("Fm_main"));
    setModal(true);
    setWindowModality(Qt::ApplicationModal);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(clBtnHighlight));
    setPalette(pal);
    QFont f(QStringLiteral("宋体"));
    f.setPixelSize(12);
    setFont(f);
    resize(800, 466);

    // The toolbar: for now only the exit command.
    Panel2 = new QWidget(this);
    Panel2->setFixedHeight(29);
    Panel2->setAutoFillBackground(true);
    QPalette bar = Panel2->palette();
    bar.setColor(QPalette::Window, ToQColor(static_cast<TColor>(11048802)));
    Panel2->setPalette(bar);
    Panel2->setCursor(Qt::PointingHandCursor);
    Sb_Exit = new QPushButton(QStringLiteral("退出"), Panel2);
    Sb_Exit->setFlat(true);
    Sb_Exit->setFixedSize(65, 28);
    QPalette caption = Sb_Exit->palette();
    caption.setColor(QPalette::ButtonText, ToQColor(clWhite));
    Sb_Exit->setPalette(caption);
    auto* barLayout = new QHBoxLayout(Panel2);
    barLayout->setContentsMargins(0, 1, 0, 0);
    barLayout->addWidget(Sb_Exit);
    barLayout->addStretch();
    connect(Sb_Exit, &QPushButton::clicked, this, Guarded([this](bool) { Sb_ExitClick(); }));

    StatusBar1 = new QLabel(this);
    StatusBar1->setFixedHeight(19);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel2);
    layout->addStretch();
    layout->addWidget(StatusBar1);
}

Tfm_main::~Tfm_main()
{
    UnregisterGlobalComponent(this);
    if (fm_main == this) fm_main = nullptr;
}

void Tfm_main::SetClientHeight(int height)
{
    resize(width(), height);
}

void Tfm_main::SetClientWidth(int width)
{
    resize(width, height());
}

void Tfm_main::SetTop(int top)
{
    move(x(), top);
}

void Tfm_main::SetLeft(int left)
{
    move(left, y());
}

void Tfm_main::ShowModal()
{
    exec();
}

void Tfm_main::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Guard([this] { FormShow(); });
}

void Tfm_main::FormShow()
{
    // The headers first; the lines follow the current header.
    if (!dm) return;
    dm->qry_xstgjfp1->Open();
    dm->qry_xstgjfp2->Open();
    StatusBar1->setText(QStringLiteral(" %1 张单据").arg(dm->qry_xstgjfp1->RecordCount()));
}

void Tfm_main::Sb_ExitClick()
{
    close();
}
