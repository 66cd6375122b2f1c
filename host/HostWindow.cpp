#include "HostWindow.h"

#include "runtime/Application.h"
#include "runtime/DateTime.h"
#include "runtime/SysUtils.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

HostWindow::HostWindow(const HostOptions& options, TSession& session, ShowDll showdll)
    : options_(options), session_(session), showdll_(showdll)
{
    setWindowTitle(QStringLiteral("stockin-host"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* label = new QLabel(QStringLiteral("购进发票审核 — 公司 %1").arg(QString::fromStdString(options.company)), central);
    auto* button = new QPushButton(QStringLiteral("打开审核窗口"), central);
    layout->addStretch();
    layout->addWidget(label, 0, Qt::AlignCenter);
    layout->addWidget(button, 0, Qt::AlignCenter);
    layout->addStretch();
    setCentralWidget(central);
    QAction* open = menuBar()->addMenu(QStringLiteral("审核(&A)"))->addAction(QStringLiteral("打开审核窗口(&O)"));
    open->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    connect(open, &QAction::triggered, this, Guarded([this](bool) { OpenAuditWindow(); }));
    connect(button, &QPushButton::clicked, this, Guarded([this](bool) { OpenAuditWindow(); }));
    statusBar()->showMessage(QStringLiteral("就绪"));
    resize(1000, 640);
}

std::vector<AnsiString> HostWindow::ParameterStrings() const
{
    QRect client = geometry();
    auto or_ = [](const std::optional<std::string>& v, int fallback) {
        return v ? Utf8ToAnsi(*v) : IntToStr(fallback);
    };
    return {Utf8ToAnsi(options_.company),
            Utf8ToAnsi(options_.param1),
            Utf8ToAnsi(options_.auditorCode),
            Utf8ToAnsi(options_.auditorName),
            options_.auditDate ? Utf8ToAnsi(*options_.auditDate) : DateTimeToStr(Now()),
            Utf8ToAnsi(options_.access),
            Utf8ToAnsi(options_.param6),
            Utf8ToAnsi(options_.param7),
            or_(options_.height, client.height()),
            or_(options_.width, client.width()),
            or_(options_.top, client.top()),
            or_(options_.left, client.left())};
}

void HostWindow::OpenAuditWindow()
{
    std::vector<AnsiString> strings = ParameterStrings();
    std::vector<const char*> pointers;
    for (const AnsiString& s : strings) pointers.push_back(s.empty() ? nullptr : s.c_str());
    showdll_(0, this, &session_, 0, pointers.data(), static_cast<int32_t>(pointers.size()) - 1);
}
