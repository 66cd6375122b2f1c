#include "Tfm_main.h"

#include "AuditFunction.h"
#include "AuditGrids.h"
#include "PostApply.h"
#include "PrintTotals.h"
#include "ShowInfo.h"
#include "Tfm_date.h"
#include "data/Params.h"
#include "data/Tdm.h"
#include "grid/db/DBGrid.h"
#include "report/data/DBDataSet.h"
#include "report/model/Report.h"
#include "runtime/Application.h"
#include "runtime/Color.h"
#include "runtime/ModalDialog.h"
#include "runtime/controls/StatusBar.h"
#include "skin/FlatSkin.h"

#include <QKeyEvent>
#include <QShowEvent>

Tfm_main* fm_main = nullptr;

namespace {

// A document is there and not yet audited (its audit date is empty).
bool currentDocumentOpenForChanges()
{
    TQuery* headers = dm->qry_xstgjfp1;
    return headers->Active() && !headers->IsEmpty() && dm->qry_xstgjfp1YWRQ00->AsString().empty();
}

bool hasCurrentDocument()
{
    return dm->qry_xstgjfp1->Active() && !dm->qry_xstgjfp1->IsEmpty();
}

}  // namespace

bool IsReadOnlyAccess(const AnsiString& accessMode)
{
    return UpperCase(accessMode) == "R";
}

Tfm_main::Tfm_main(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    TComponent::SetName("fm_main");
    setObjectName(QStringLiteral("fm_main"));
    RegisterGlobalComponent(this);
    setWindowTitle(QStringLiteral("Fm_main"));
    setModal(true);
    setWindowModality(Qt::ApplicationModal);
    SetFormLook(this, clBtnHighlight);
    resize(800, 466);

    CreateAuditToolbar(this);
    const std::pair<TSpeedButton*, void (Tfm_main::*)()> commands[] = {
        {sb_edit, &Tfm_main::sb_editClick},   {sb_save, &Tfm_main::sb_saveClick},
        {sb_cancel, &Tfm_main::sb_cancelClick}, {sb_Audit, &Tfm_main::sb_AuditClick},
        {sb_CancelAudi, &Tfm_main::sb_CancelAudiClick}, {sb_print, &Tfm_main::sb_printClick},
        {Sb_Exit, &Tfm_main::Sb_ExitClick},
    };
    for (auto [button, handler] : commands) button->OnClick = [this, handler](TComponent*) { (this->*handler)(); };

    dbg_xstykfp1 = new TqvDBGrid(this, this);
    ConfigureHeaderGrid(*dbg_xstykfp1, dm);
    dbg_xstykfp1->resize(width(), 188);
    ApplyAlign(dbg_xstykfp1, alTop);
    dbg_xstgjfp2 = new TqvDBGrid(this, this);
    ConfigureLineGrid(*dbg_xstgjfp2, dm);
    dbg_xstgjfp2->OnKeyDown = [this](TComponent* sender, Word& key, TShiftState shift) {
        dbg_xstgjfp2KeyDown(sender, key, shift);
    };
    dbg_xstgjfp2->OnEdited = [this](TComponent* sender, TqvTreeListNode* node) { dbg_xstgjfp2Edited(sender, node); };
    ApplyAlign(dbg_xstgjfp2, alClient);
    StatusBar1 = new TStatusBar(this, this);
    StatusBar1->SetName("StatusBar1");
    setTabOrder(dbg_xstykfp1, dbg_xstgjfp2);

    FlatSkin1 = CreateFlatSkin1(this, this);
    FlatSkin1->SetActive(true);

    rqDBDataSet1 = new TrqDBDataSet(this);
    rqDBDataSet1->SetName("rqDBDataSet1");
    rqDBDataSet1->SetOpenDataSource(false);
    if (dm) rqDBDataSet1->SetDataSet(dm->qry_xsvgjfp0);
    rqReport1 = new TrqReport(this);
    rqReport1->SetName("rqReport1");
    rqReport1->SetDataset(rqDBDataSet1);
    rqReport1->SetInitialZoom(pzDefault);
    TrqPreviewButtons buttons = 0;
    for (TrqPreviewButton b : {pbZoom, pbLoad, pbSave, pbPrint, pbFind, pbExit, pbPageSetup})
        buttons |= PreviewButtonBit(b);
    rqReport1->SetPreviewButtons(buttons);
}

Tfm_main::~Tfm_main()
{
    UnregisterGlobalComponent(this);
    if (fm_main == this) fm_main = nullptr;
    // The controls go as components, before the widget part.
    DestroyComponents();
}

void Tfm_main::SetClientHeight(int height)
{
    resize(width(), height);
}

void Tfm_main::SetClientWidth(int width)
{
    resize(width, height());
}

void Tfm_main::SetTop(int top)
{
    move(x(), top);
}

void Tfm_main::SetLeft(int left)
{
    move(left, y());
}

void Tfm_main::ShowModal()
{
    ExecModal(*this);
}

void Tfm_main::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) Guard([this] { FormShow(); });
}

void Tfm_main::keyPressEvent(QKeyEvent* event)
{
    // What the grids leave of Enter and Esc ends here.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Tfm_main::FormShow()
{
    // The access mode first: a failure while opening the data must not leave
    // a read-only user with working commands.
    if (IsReadOnlyAccess(Params.size() > 5 ? Params[5] : AnsiString())) setCommandState(TCommandState::ReadOnly);
    dm->qry_xstgjfp1->Open();
    dm->qry_xstgjfp2->Open();
}

void Tfm_main::setCommandState(TCommandState state)
{
    if (state_ == TCommandState::ReadOnly) return;
    state_ = state;
    const bool browse = state == TCommandState::Browse;
    const bool editing = state == TCommandState::Editing;
    sb_edit->SetEnabled(browse);
    sb_save->SetEnabled(editing);
    sb_cancel->SetEnabled(editing);
    sb_Audit->SetEnabled(browse);
    sb_CancelAudi->SetEnabled(browse);
    dbg_xstykfp1->setEnabled(!editing);
}

void Tfm_main::Sb_ExitClick()
{
    close();
}

void Tfm_main::sb_editClick()
{
    if (!currentDocumentOpenForChanges()) {
        ShowInfo(Ansi(u8"该记录已审核或为空，不能被编辑！"));
        return;
    }
    SetLineGridCellMode(*dbg_xstgjfp2, true);
    // A document without lines gets no empty line to fill in: its keys would
    // stay empty and the database would refuse to save it.
    if (!dm->qry_xstgjfp2->IsEmpty()) dm->qry_xstgjfp2->Edit();
    setCommandState(TCommandState::Editing);
    dbg_xstgjfp2->SetFocusedColumn(lcPrice);
}

void Tfm_main::sb_saveClick()
{
    TQuery* lines = dm->qry_xstgjfp2;
    // An open cell editor is closed first (its value written, a price
    // recomputing its line), so that the save takes it along and leaving
    // cell editing afterwards changes nothing.
    dbg_xstgjfp2->HideEditor();
    // Only a current line can be put into edit state; after every line was
    // deleted the cache is written as it is.
    if (!lines->IsEmpty()) lines->Edit();
    PostApply(lines);
    setCommandState(TCommandState::Browse);
    ShowInfo(Ansi(u8"保存成功！"));
    SetLineGridCellMode(*dbg_xstgjfp2, false);
}

void Tfm_main::sb_cancelClick()
{
    TQuery* lines = dm->qry_xstgjfp2;
    lines->CancelUpdates();
    // The lines are read again, so that they show what is stored now: when
    // another auditor changed them since this window read them (and a save
    // was refused for it), the next edit starts from those values.
    const AnsiString current = lines->IsEmpty() ? AnsiString() : dm->qry_xstgjfp2SPDM00->AsString();
    lines->Close();
    lines->Open();
    if (!current.empty()) lines->Locate("SPDM00", Variant(current));
    SetLineGridCellMode(*dbg_xstgjfp2, false);
    setCommandState(TCommandState::Browse);
}

void Tfm_main::sb_AuditClick()
{
    if (!currentDocumentOpenForChanges()) {
        ShowInfo(Ansi(u8"该记录已审核或为空，不能审核！"));
        return;
    }
    Tfm_date dialog(nullptr, this);
    dialog.ShowModal();
}

void Tfm_main::sb_CancelAudiClick()
{
    if (!hasCurrentDocument()) {
        ShowInfo(Ansi(u8"空记录不能被弃审！"));
        return;
    }
    RunAuditFunction(TAuditAction::Revoke);
}

void Tfm_main::sb_printClick()
{
    TQuery* rows = dm->qry_xsvgjfp0;
    rows->Close();
    rows->Open();
    const char* const templateFile = "qdb_xstgjfp.rqf";
    if (!rqReport1->LoadFromFile(templateFile)) {
        ShowInfo(Ansi(u8"没有调到报表文件(qdb_xstgjfp.rqf)！"));
        return;
    }
    // A file that is there but no template: the loader has said what is
    // wrong with it, and a blank report would only hide that.
    if (!rqReport1->LoadMessage().empty()) return;
    SetPrintVariables(SumPrintRows(*rows));
    rqReport1->ShowReport();
}

void Tfm_main::dbg_xstgjfp2KeyDown(TComponent*, Word& Key, TShiftState Shift)
{
    if (Key == VK_INSERT && !(Shift & (ssShift | ssCtrl | ssAlt)) && state_ == TCommandState::Editing) {
        // A new line could never be saved: the stored insert statement writes
        // price, amount and tax only, and the database wants the document's
        // keys. Refused before anything is typed, instead of a line that
        // makes every later save fail.
        Key = 0;
        ShowInfo(Ansi(u8"不能在此增加商品明细！"));
        return;
    }
    if (Key != VK_RETURN) return;
    Key = 0;
    // Enter walks price, amount and tax, line by line, and from the tax of
    // the last line back to the first line's price. In row selection the
    // focused column reads 0 and cannot be set, so Enter does nothing there.
    TqvDBGrid& grid = *dbg_xstgjfp2;
    TQuery* lines = dm->qry_xstgjfp2;
    if (grid.FocusedColumn() == grid.ColumnCount() - 1) {
        lines->Next();
        grid.SetFocusedColumn(lcPrice);
        if (lines->Eof()) lines->First();
    } else {
        grid.SetFocusedColumn(grid.FocusedColumn() + 1);
    }
    // The quantity is not the auditor's to change.
    if (grid.FocusedColumn() == lcQuantity) grid.SetFocusedColumn(lcAmount);
}

void Tfm_main::dbg_xstgjfp2Edited(TComponent*, TqvTreeListNode*)
{
    // Only a price recomputes the line; an amount or a tax typed by hand
    // stays as typed.
    if (dbg_xstgjfp2->FocusedColumn() != lcPrice) return;
    dm->qry_xstgjfp2->Edit();
    const long double amount =
        static_cast<long double>(dm->qry_xstgjfp2SL0000->AsFloat()) * dm->qry_xstgjfp2DJIA00->AsFloat();
    dm->qry_xstgjfp2JE0000->SetAsFloat(static_cast<double>(amount));
    // The tax from the amount as stored: 17 per cent.
    const long double stored = dm->qry_xstgjfp2JE0000->AsFloat();
    dm->qry_xstgjfp2SE0000->SetAsFloat(static_cast<double>(stored / 100 * 17));
}
