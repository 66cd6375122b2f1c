#include "report/windows/Preview.h"

#include "report/windows/PreviewForm.h"

#include <QFrame>
#include <QVBoxLayout>

TrqPreview::TrqPreview(QWidget* parent) : QFrame(parent), form_(std::make_unique<TrqPreviewForm>())
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    form_->SetEmbedded(true);
    form_->OnPageChanged = [this](int page) {
        if (OnPageChanged) OnPageChanged(this, page);
    };
}

TrqPreview::~TrqPreview()
{
    if (wheelWindow_) wheelWindow_->removeEventFilter(form_.get());
    // The panels go back to the window before the window goes.
    form_->TopPanel->setParent(form_.get());
    form_->PreviewPanel->setParent(form_.get());
    form_.reset();
}

void TrqPreview::SetName(const AnsiString& name)
{
    TComponent::SetName(name);
    setObjectName(AnsiToQString(name));
}

void TrqPreview::SetScrollBars(TScrollStyle style)
{
    scrollBars_ = style;
    applyScrollBars();
}

void TrqPreview::applyScrollBars()
{
    form_->RPanel->setVisible(scrollBars_ == ssVertical || scrollBars_ == ssBoth);
    form_->BPanel->setVisible(scrollBars_ == ssHorizontal || scrollBars_ == ssBoth);
}

void TrqPreview::SetShowToolbar(bool show)
{
    showToolbar_ = show;
    if (form_->TopPanel->parentWidget() == this) form_->TopPanel->setVisible(show);
}

void TrqPreview::Connect(TrqReport* report)
{
    form_->SetEmbedded(true, popupMenu_);
    form_->Connect(report);
    auto* box = static_cast<QVBoxLayout*>(layout());
    if (form_->PreviewPanel->parentWidget() != this) {
        box->addWidget(form_->TopPanel);
        box->addWidget(form_->PreviewPanel, 1);
    }
    form_->TopPanel->setVisible(showToolbar_);
    form_->PreviewPanel->show();
    applyScrollBars();
    form_->ApplyButtons();
    form_->ResetView(true);
    hookWheel();
}

void TrqPreview::hookWheel()
{
    QWidget* top = window();
    if (top == this || top == wheelWindow_) return;
    if (wheelWindow_) wheelWindow_->removeEventFilter(form_.get());
    wheelWindow_ = top;
    wheelWindow_->installEventFilter(form_.get());
}

void TrqPreview::Disconnect() { form_->Disconnect(); }

TrqReport* TrqPreview::Connected() const { return form_->Report(); }

int TrqPreview::CurrentPage() const { return form_->CurrentPage; }

std::unique_ptr<TrqEMFPages>& TrqPreview::PagesHolder() { return form_->PagesHolder(); }
