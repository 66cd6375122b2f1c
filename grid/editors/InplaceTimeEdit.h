#pragma once
// The time editor: a spin editor over a time mask by TimeEditFormat
// (hours, minutes and seconds; hours and minutes; hours). Positions may be
// left blank: an all-blank editor reads back as null. Up and Down (with
// Ctrl when UseCtrlIncrement is set) step the part under the caret, going
// round within the day (23 → 0, 59 → 0); blank parts count as 0.
//
// A value loads from a date-time (its time of day) or from a text such as
// "9:05"; hours above 23 or minutes and seconds above 59 are refused when
// the text is checked.

#include "grid/editors/InplaceSpinEdit.h"

enum TqvTimeEditFormat : uint8_t { tfHourMinSec, tfHourMin, tfHour };

class TqvInplaceTimeEdit : public TqvInplaceSpinEdit {
public:
    explicit TqvInplaceTimeEdit(TCustomqvContainer* container);
    const char* ClassName() const override { return "TqvInplaceTimeEdit"; }

    TqvTimeEditFormat TimeEditFormat() const { return format_; }
    void SetTimeEditFormat(TqvTimeEditFormat value);

    void LoadValue(const Variant& value) override;
    Variant EditingValue() const override;
    void Step(int steps) override;
    // The parts of the text (hours, minutes, seconds as the format has
    // them); a blank part is -1, an unreadable one -2.
    std::vector<int> Parts() const;

protected:
    void ValidateEdit() override;

private:
    int partCount() const { return format_ == tfHourMinSec ? 3 : format_ == tfHourMin ? 2 : 1; }
    AnsiString textOf(const std::vector<int>& parts) const;

    TqvTimeEditFormat format_ = tfHourMinSec;
};
