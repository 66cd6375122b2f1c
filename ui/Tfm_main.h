#pragma once
// The audit window: borderless and modal, placed by showdll over the screen
// area the host names. The toolbar Panel2 with its seven commands on top, the
// document headers below it (188 pixels), the current document's lines
// filling the rest, an empty status bar at the bottom; the flat skin paints
// the toolbar.
//
// Command states and the buttons they enable (print and exit always):
//   Browse    edit, audit, revoke           (at start, full access)
//   Editing   save, cancel                  (after a successful edit command)
//   ReadOnly  none of the five              (access mode "R" or "r")
// Edit enters Editing; a completed save or a cancel returns to Browse; a
// refused command, audit, revoke, print and moving between documents change
// nothing. ReadOnly is decided first thing on show, before any data is
// opened, and is never left: nothing enables those buttons again.
//
// While lines are edited the header grid is disabled: moving to another
// document would drop the edits without a word (and could carry prices over
// to an audited document).
//
// Print works in every state: it prints the current document as stored, with
// the template "qdb_xstgjfp.rqf" from the current directory.
//
// Enter and Esc belong to the grids: they never close the window or press a
// button (there are no default buttons and Esc does not reject). Exit closes
// at once, without a question; unsaved line changes go with the data module.

#include "runtime/Component.h"
#include "runtime/Keys.h"
#include "ui/AuditToolbar.h"

#include <QDialog>

class TStatusBar;
class TqvDBGrid;
class TqvTreeListNode;
class TrqDBDataSet;
class TrqReport;

enum class TCommandState { Browse, Editing, ReadOnly };

class Tfm_main : public QDialog, public TComponent, public TAuditToolbar {
public:
    explicit Tfm_main(QWidget* parent = nullptr);
    ~Tfm_main() override;
    const char* ClassName() const override { return "Tfm_main"; }

    // The client area (the whole window: it has no frame).
    void SetClientHeight(int height);
    void SetClientWidth(int width);
    void SetTop(int top);
    void SetLeft(int left);

    // Shows the window modally; returns when it closes.
    void ShowModal();

    TCommandState CommandState() const { return state_; }

    void FormShow();
    void Sb_ExitClick();
    void sb_editClick();
    void sb_saveClick();
    void sb_cancelClick();
    void sb_AuditClick();
    void sb_CancelAudiClick();
    void sb_printClick();
    // The line grid's events: Enter walks the editable cells, a changed price
    // recomputes amount and tax. Insert is refused while the lines are
    // edited: the stored insert statement cannot save a new line.
    void dbg_xstgjfp2KeyDown(TComponent* Sender, Word& Key, TShiftState Shift);
    void dbg_xstgjfp2Edited(TComponent* Sender, TqvTreeListNode* Node);

    // Panel2 and the seven buttons come with TAuditToolbar.
    TqvDBGrid* dbg_xstykfp1;
    TqvDBGrid* dbg_xstgjfp2;
    TStatusBar* StatusBar1;
    TFlatSkin* FlatSkin1;
    // The purchase invoice: the template is loaded anew by every print; the
    // report dataset walks the print query, which the print command opens
    // itself.
    TrqReport* rqReport1;
    TrqDBDataSet* rqDBDataSet1;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setCommandState(TCommandState state);

    TCommandState state_ = TCommandState::Browse;
};

// True when the host's access mode (Params entry 5) asks for read-only use:
// "R" in either letter case, nothing else.
bool IsReadOnlyAccess(const AnsiString& accessMode);

// The audit window of the running showdll call (null outside one).
extern Tfm_main* fm_main;
