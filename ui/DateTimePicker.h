#pragma once
// The date picker: a date field in the short date format with a drop-down
// calendar, holding a full date-time value of which the user changes only the
// date. The time of day stays what the program set last.
//
// OnChange runs after every change the user makes (typing into the field,
// stepping it, picking a day in the calendar), never after SetDateTime. A
// handler may call SetDateTime to put another value in.
//
// Not a bare QDateEdit: that one holds a date only, and its dateChanged signal
// cannot tell the user's changes from the program's.

#include "runtime/Component.h"
#include "runtime/DateTime.h"

#include <QDateEdit>

#include <functional>

class TDateTimePicker : public QDateEdit, public TComponent {
public:
    explicit TDateTimePicker(TComponent* owner = nullptr, QWidget* parent = nullptr);
    const char* ClassName() const override { return "TDateTimePicker"; }
    void SetName(const AnsiString& name) override;

    TDateTime DateTime() const;
    // A value outside the valid dates is ignored.
    void SetDateTime(TDateTime value);

    std::function<void(TComponent* Sender)> OnChange;

private:
    void dateEdited();

    int hour_ = 0, minute_ = 0, second_ = 0, msec_ = 0;
    bool settingValue_ = false;
};

// The Qt display format of a short date format ("yyyy-m-d" gives "yyyy-M-d").
QString QtDateFormat(const AnsiString& shortDateFormat, char dateSeparator);
