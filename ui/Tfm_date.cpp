#include "Tfm_date.h"

#include "AuditFunction.h"
#include "AuditToolbar.h"
#include "DateTimePicker.h"
#include "ShowInfo.h"
#include "data/Params.h"
#include "data/Tdm.h"
#include "runtime/Application.h"
#include "runtime/Color.h"
#include "runtime/ModalDialog.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <cmath>

namespace {

const char8_t* const kTooEarly = u8"审核日期不能小于制单日期！";

TDateTime documentDate()
{
    return dm->qry_xstgjfp1CKRQ00->AsDateTime();
}

QPushButton* makeButton(QWidget* parent, const char* name, const char8_t* caption, QRect bounds)
{
    auto* button = new QPushButton(QString::fromUtf8(reinterpret_cast<const char*>(caption)), parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(bounds);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

Tfm_date::Tfm_date(TComponent* owner, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), TComponent(owner)
{
    TComponent::SetName("fm_date");
    setObjectName(QStringLiteral("fm_date"));
    setWindowTitle(QStringLiteral("请选择审核日期"));
    setWindowModality(Qt::ApplicationModal);
    SetFormLook(this, clWindow);
    setFixedSize(277, 135);

    Label1 = new QLabel(QStringLiteral("审核日期："), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(41, 31, 60, 12);
    Button1 = makeButton(this, "Button1", u8"确定(&O)", QRect(33, 75, 75, 25));
    Button2 = makeButton(this, "Button2", u8"取消(&C)", QRect(167, 75, 75, 25));
    Dtp_shrq = new TDateTimePicker(this, this);
    Dtp_shrq->SetName("Dtp_shrq");
    Dtp_shrq->setGeometry(113, 27, 121, 20);
    Dtp_shrq->SetDateTime(EncodeDateTime(2003, 3, 9, 15, 11, 13, 0));
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, Dtp_shrq);

    connect(Button1, &QPushButton::clicked, this, Guarded([this](bool) { Button1Click(); }));
    connect(Button2, &QPushButton::clicked, this, Guarded([this](bool) { Button2Click(); }));
    Dtp_shrq->OnChange = [this](TComponent* sender) { Dtp_shrqChange(sender); };
}

Tfm_date::~Tfm_date()
{
    // The picker goes as a component, before the widget part.
    DestroyComponents();
}

void Tfm_date::ShowModal()
{
    // Centred on the screen: inside the module there is no main form to
    // centre on.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    ExecModal(*this);
}

void Tfm_date::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) Guard([this] { FormShow(); });
}

void Tfm_date::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) button->click();
        return;
    case Qt::Key_Escape:
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void Tfm_date::FormShow()
{
    Dtp_shrq->SetDateTime(StrToDateTime(Params[4]));
}

void Tfm_date::Dtp_shrqChange(TComponent*)
{
    if (documentDate() > Dtp_shrq->DateTime()) {
        Dtp_shrq->SetDateTime(documentDate());
        ShowInfo(Ansi(kTooEarly));
    }
}

void Tfm_date::Button1Click()
{
    if (std::trunc(Dtp_shrq->DateTime()) < std::trunc(documentDate())) {
        ShowInfo(Ansi(kTooEarly));
        Dtp_shrq->SetDateTime(documentDate());
        return;
    }
    RunAuditFunction(TAuditAction::Audit, Dtp_shrq->DateTime());
    accept();
}

void Tfm_date::Button2Click()
{
    reject();
}
