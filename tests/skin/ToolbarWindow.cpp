#include "ToolbarWindow.h"

#include "ui/AuditToolbar.h"

TToolbarWindow::TToolbarWindow(bool skinActive) : QWidget(nullptr), TComponent(nullptr)
{
    setAutoFillBackground(true);
    QPalette window = palette();
    window.setColor(QPalette::Window, ToQColor(clBtnHighlight));
    setPalette(window);
    TFont font;
    SetWindowFont(font);
    setFont(font.ToQFont());
    resize(800, 466);

    TAuditToolbar bar = CreateAuditToolbar(this, this);
    Panel2 = bar.Panel2;
    sb_edit = bar.sb_edit;
    sb_save = bar.sb_save;
    sb_cancel = bar.sb_cancel;
    sb_Audit = bar.sb_Audit;
    sb_CancelAudi = bar.sb_CancelAudi;
    sb_print = bar.sb_print;
    Sb_Exit = bar.Sb_Exit;

    StatusBar1 = new TStatusBar(this, this);
    StatusBar1->SetName("StatusBar1");

    FlatSkin1 = CreateFlatSkin1(this, this);
    FlatSkin1->SetActive(skinActive);
}

TToolbarWindow::~TToolbarWindow()
{
    // The controls go as components, before the widget part.
    DestroyComponents();
}

std::vector<TSpeedButton*> TToolbarWindow::Buttons() const
{
    return {sb_edit, sb_save, sb_cancel, sb_Audit, sb_CancelAudi, sb_print, Sb_Exit};
}
