#pragma once
// TrqPreview: prepared pages shown inside another window instead of in a
// preview window of their own. The control keeps a preview window that it
// never shows and moves that window's page area (and, with ShowToolbar, its
// toolbar) into itself when it connects to a report; the window's keys,
// mouse, commands and view then work in the control. The mouse wheel
// anywhere on the window that holds the control scrolls the pages, three
// times as far as in a preview window.
//
// Ownership: the control is a widget and a component. Its parent widget frees
// it; the component side has no owner and serves the report's reference to it
// (SetPreview), which is cleared when the control goes.

#include "report/model/Report.h"
#include "runtime/Component.h"
#include "runtime/ScrollStyle.h"

#include <QFrame>

#include <functional>
#include <memory>

class QMenu;
class TrqEMFPages;
class TrqPreviewForm;

class TrqPreview : public QFrame, public TComponent {
public:
    explicit TrqPreview(QWidget* parent = nullptr);
    ~TrqPreview() override;
    const char* ClassName() const override { return "TrqPreview"; }
    void SetName(const AnsiString& name) override;

    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle style);
    bool ShowToolbar() const { return showToolbar_; }
    void SetShowToolbar(bool show);
    // Replaces the zoom menu on a right click.
    QMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }
    // Fired with the current page whenever the page label changes.
    std::function<void(TrqPreview* sender, int page)> OnPageChanged;

    // Takes the report's prepared pages and shows them from page 1.
    void Connect(TrqReport* report);
    void Disconnect();
    // The report whose pages the control shows, or null.
    TrqReport* Connected() const;
    int CurrentPage() const;
    // The pages shown, for lending to the report while it prints them.
    std::unique_ptr<TrqEMFPages>& PagesHolder();
    TrqPreviewForm& Form() const { return *form_; }

private:
    void applyScrollBars();
    void hookWheel();

    std::unique_ptr<TrqPreviewForm> form_;
    TScrollStyle scrollBars_ = ssBoth;
    bool showToolbar_ = false;
    QMenu* popupMenu_ = nullptr;
    QWidget* wheelWindow_ = nullptr;
};
