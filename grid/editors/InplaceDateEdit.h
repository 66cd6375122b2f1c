#pragma once
// The date editor: a drop-down editor whose text is a date (the long form,
// see DateText.h) and whose window is a month calendar with "Today" and
// "Clear". The value read back is the date-time, or null for no date
// (held as NoDate, -700000).
//
// Rules that are easy to break:
// - A modified text is read when it is checked: keywords, the long form,
//   the system conversion. An unreadable text (or any text with
//   DateValidation) goes through OnDateValidateInput; a flag still set
//   afterwards refuses the text with its error text ("Invalid Date").
// - Closing the editor with an unreadable text restores the text and the
//   modified flag of the editing turn's start: nothing is written, the field
//   is never cleared by it.
// - The clock is replaceable (SetClock) so that keywords can be tested.

#include "grid/editors/DateText.h"
#include "grid/editors/InplaceDropDownEdit.h"

class QCalendarWidget;

enum class TqvDateOnError : uint8_t { NoDate, Today };

class TqvInplaceDateEdit : public TqvInplaceDropDownEdit {
public:
    explicit TqvInplaceDateEdit(TCustomqvContainer* container);
    const char* ClassName() const override { return "TqvInplaceDateEdit"; }

    void LoadValue(const Variant& value) override;
    Variant EditingValue() const override;
    // The date held (NoDate: none).
    TDateTime Date() const { return date_; }
    void SetDate(TDateTime value);

    bool ShowTodayButton() const { return today_; }
    bool ShowClearButton() const { return clear_; }
    void SetDateButtons(bool today, bool clear);
    TqvDateOnError DateOnError() const { return onError_; }
    void SetDateOnError(TqvDateOnError value) { onError_ = value; }
    bool DateValidation() const { return validation_; }
    void SetDateValidation(bool value) { validation_ = value; }
    bool SaveTime() const { return saveTime_; }
    void SetSaveTime(bool value) { saveTime_ = value; }
    void SetClock(std::function<TDateTime()> clock) { clock_ = std::move(clock); }

    // Reads the text into the date. `closing`: the editor is being closed
    // (an unreadable text is then abandoned, see above).
    void ReadText(bool closing);
    // The editor closes: reads the text, restoring it when unreadable.
    void CloseReading() { ReadText(true); }

    // Text, Date (in/out), ErrorText (in/out), Error (in/out).
    std::function<void(TqvInplaceEdit* Sender, const AnsiString& Text, TDateTime& Date, AnsiString& ErrorText,
                       bool& Error)>
        OnDateValidateInput;
    std::function<void(TqvInplaceEdit* Sender)> OnDateChange;

    QCalendarWidget* Calendar() { Popup(); return calendar_; }

protected:
    void ValidateEdit() override { ReadText(false); }
    void FillPopup(QFrame* popup) override;
    void PopupOpening() override;
    void AcceptPopup() override;

private:
    TDateTime now() const { return clock_ ? clock_() : Now(); }
    void pick(TDateTime day);

    TDateTime date_ = NoDate;
    TDateTime loaded_ = NoDate;
    bool today_ = true, clear_ = true;
    TqvDateOnError onError_ = TqvDateOnError::NoDate;
    bool validation_ = false;
    bool saveTime_ = true;
    std::function<TDateTime()> clock_;
    QCalendarWidget* calendar_ = nullptr;
    class QPushButton* todayButton_ = nullptr;
    class QPushButton* clearButton_ = nullptr;
};
