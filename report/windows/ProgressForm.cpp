#include "report/windows/ProgressForm.h"

#include "report/model/Report.h"
#include "report/texts/EngineTexts.h"
#include "runtime/Application.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {
constexpr int CancelText = 55001;
// The message the window posts itself before its modal loop starts.
const QEvent::Type StartEvent = static_cast<QEvent::Type>(QEvent::User + 1);

TrqProgressForm* theForm = nullptr;
}  // namespace

TrqProgressForm::TrqProgressForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
{
    setFixedSize(278, 106);
    setModal(true);
    Label1 = new QLabel(this);
    Label1->setGeometry(20, 26, 237, 13);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label2 = new QLabel(this);
    Label2->setGeometry(20, 42, 237, 13);
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Button1 = new QPushButton(this);
    Button1->setGeometry(100, 68, 75, 25);
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, Guarded([this](bool) { Cancel(); }));
}

void TrqProgressForm::SetCaption(const AnsiString& caption) { setWindowTitle(AnsiToQString(caption)); }
void TrqProgressForm::SetLabel1(const AnsiString& text) { Label1->setText(AnsiToQString(text)); }
void TrqProgressForm::SetLabel2(const AnsiString& text) { Label2->setText(AnsiToQString(text)); }

int TrqProgressForm::Show(TrqReport* report)
{
    Button1->setText(AnsiToQString(TrqLocale::LoadText(CancelText)));
    report_ = report;
    Label2->clear();
    modalResult_ = mrNone;
    QCoreApplication::postEvent(this, new QEvent(StartEvent));
    exec();
    return modalResult_;
}

void TrqProgressForm::SetModalResult(int result)
{
    modalResult_ = result;
    if (result != mrNone && !running_ && isVisible()) done(result);
}

void TrqProgressForm::Cancel()
{
    if (report_) report_->Terminated = true;
    SetModalResult(mrCancel);
}

void TrqProgressForm::customEvent(QEvent* event)
{
    if (event->type() != StartEvent) return QDialog::customEvent(event);
    running_ = true;
    bool finished = false;
    Guard([&] {
        if (OnStart) OnStart(*this);
        finished = true;
    });
    running_ = false;
    // Work that failed has been reported; the window must not stay up waiting for it.
    if (!finished && modalResult_ == mrNone) modalResult_ = mrCancel;
    if (modalResult_ != mrNone) done(modalResult_);
}

void TrqProgressForm::closeEvent(QCloseEvent* event)
{
    // The close box is another Cancel; the window goes when the work lets it.
    event->ignore();
    Guard([this] { Cancel(); });
}

void TrqProgressForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(width() / 2, height() / 2));
}

TrqProgressForm& rqProgressForm()
{
    if (!theForm) theForm = new TrqProgressForm;
    return *theForm;
}

void FreeProgressForm()
{
    delete theForm;
    theForm = nullptr;
}
