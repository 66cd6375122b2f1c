#include "ToolbarWindow.h"

TToolbarWindow::TToolbarWindow(bool skinActive) : QWidget(nullptr), TComponent(nullptr)
{
    SetFormLook(this, clBtnHighlight);
    resize(800, 466);
    CreateAuditToolbar(this);
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
