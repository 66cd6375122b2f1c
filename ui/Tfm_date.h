#pragma once
// The audit-date dialog "请选择审核日期": asks for the date of an audit and
// runs the audit of the header query's current document with it.
//
// On show the picker takes the default audit date (Params entry 4, date and
// optional time in the short formats); a text that is no date-time is
// reported and the picker keeps its design value. The audit date may not lie
// before the document date (CKRQ00), checked twice, differently:
// - while the user changes the picker, the full date-times are compared (a
//   day equal to the document's but an earlier time of day is too early); the
//   picker is reset to the document date-time and the auditor told;
// - on OK, whole days only (the document's own day is always accepted).
// OK then calls the audit function, shows its answer, reads the document list
// again and closes; a database error leaves the dialog open. Cancel closes
// and calls nothing.
//
// Neither Enter nor Esc closes the dialog: no button is a default button, so
// Enter presses only a focused button.
//
// Layout: a frame and caption bar without buttons around a client area of
// 277 x 135 (an outer size of 283 x 160), centred on the screen.

#include "runtime/Component.h"

#include <QDialog>

class QLabel;
class QPushButton;
class TDateTimePicker;

class Tfm_date : public QDialog, public TComponent {
public:
    explicit Tfm_date(TComponent* owner = nullptr, QWidget* parent = nullptr);
    ~Tfm_date() override;
    const char* ClassName() const override { return "Tfm_date"; }

    // Shows the dialog modally; returns when it closes.
    void ShowModal();

    void FormShow();
    void Dtp_shrqChange(TComponent* Sender);
    void Button1Click();
    void Button2Click();

    QLabel* Label1;
    QPushButton* Button1;
    QPushButton* Button2;
    TDateTimePicker* Dtp_shrq;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
