#pragma once
// The toolbar of the audit window and the skin that paints it: Panel2 along
// the top with the seven speed buttons, and FlatSkin1. Built here once, so
// that the window and the pictures taken of the skin show the same toolbar.
// A form that carries the toolbar derives from TAuditToolbar, so the buttons
// are its own members by their names.
//
// Rules that are easy to break:
// - Buttons overlap their left neighbour by one pixel (each left edge is one
//   less than the previous right edge); they sit at top 1 and are 28 high.
// - Speed buttons never take the keyboard focus: Enter and Esc stay with the
//   grids, and no button is ever a default button.
// - The skin is created inactive; the form switches it on once every control
//   it should take over exists (controls made later are not taken over).

#include "runtime/Component.h"
#include "runtime/Font.h"
#include "runtime/controls/Panel.h"
#include "runtime/controls/SpeedButton.h"
#include "skin/FlatSkin.h"

#include <vector>

class QWidget;

struct TAuditToolbar {
    TPanel* Panel2 = nullptr;
    TSpeedButton* sb_edit = nullptr;
    TSpeedButton* sb_save = nullptr;
    TSpeedButton* sb_cancel = nullptr;
    TSpeedButton* sb_Audit = nullptr;
    TSpeedButton* sb_CancelAudi = nullptr;
    TSpeedButton* sb_print = nullptr;
    TSpeedButton* Sb_Exit = nullptr;

    // Left to right.
    std::vector<TSpeedButton*> Buttons() const
    {
        return {sb_edit, sb_save, sb_cancel, sb_Audit, sb_CancelAudi, sb_print, Sb_Exit};
    }
};

// The window font: "宋体", 12 pixels, GB2312.
void SetWindowFont(TFont& font);
// A form of the module: filled with `background`, in the window font.
void SetFormLook(QWidget* form, TColor background);

// Creates Panel2 (aligned to the top of `form`) and its buttons, owned by
// `owner`, with their captions, places, caption colours, glyphs and the
// enabled states a window starts with.
TAuditToolbar CreateAuditToolbar(TComponent* owner, QWidget* form);
template <class Form>
void CreateAuditToolbar(Form* form)
{
    static_cast<TAuditToolbar&>(*form) = CreateAuditToolbar(form, form);
}

// Creates FlatSkin1 for `form` with the window's settings, inactive.
TFlatSkin* CreateFlatSkin1(TComponent* owner, QWidget* form);
