#pragma once
// A window laid out like the top and bottom of the audit window: the toolbar
// panel Panel2 with its seven speed buttons, the status bar, and the flat
// skin FlatSkin1 set up as the audit window sets it (switched on only when
// asked). The space between toolbar and status bar stays empty.

#include "runtime/Component.h"
#include "runtime/controls/StatusBar.h"
#include "skin/FlatSkin.h"
#include "ui/AuditToolbar.h"

#include <QWidget>

class TToolbarWindow : public QWidget, public TComponent, public TAuditToolbar {
public:
    explicit TToolbarWindow(bool skinActive);
    ~TToolbarWindow() override;

    TStatusBar* StatusBar1;
    TFlatSkin* FlatSkin1;
};
