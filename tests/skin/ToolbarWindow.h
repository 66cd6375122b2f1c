#pragma once
// A window laid out like the top and bottom of the audit window: the toolbar
// panel Panel2 with its seven speed buttons, the status bar, and the flat
// skin FlatSkin1 set up as the audit window sets it (switched on only when
// asked). The space between toolbar and status bar stays empty.

#include "runtime/Component.h"
#include "runtime/controls/Panel.h"
#include "runtime/controls/SpeedButton.h"
#include "runtime/controls/StatusBar.h"
#include "skin/FlatSkin.h"

#include <QWidget>

#include <vector>

class TToolbarWindow : public QWidget, public TComponent {
public:
    explicit TToolbarWindow(bool skinActive);
    ~TToolbarWindow() override;

    std::vector<TSpeedButton*> Buttons() const;

    TPanel* Panel2;
    TSpeedButton* sb_edit;
    TSpeedButton* sb_save;
    TSpeedButton* sb_cancel;
    TSpeedButton* sb_Audit;
    TSpeedButton* sb_CancelAudi;
    TSpeedButton* sb_print;
    TSpeedButton* Sb_Exit;
    TStatusBar* StatusBar1;
    TFlatSkin* FlatSkin1;
};
