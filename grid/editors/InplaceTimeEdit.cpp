#include "grid/editors/InplaceTimeEdit.h"

#include "runtime/DateTime.h"
#include "runtime/SysUtils.h"

#include <cmath>
#include <cstdio>

TqvInplaceTimeEdit::TqvInplaceTimeEdit(TCustomqvContainer* container) : TqvInplaceSpinEdit(container)
{
    SetIgnoreMaskBlank(true);
    SetTimeEditFormat(tfHourMinSec);
    LoadValue(Variant::Null());
}

void TqvInplaceTimeEdit::SetTimeEditFormat(TqvTimeEditFormat value)
{
    format_ = value;
    static const char* const masks[] = {"99:99:99;1;_", "99:99;1;_", "99;1;_"};
    SetEditMask(masks[value]);
}

AnsiString TqvInplaceTimeEdit::textOf(const std::vector<int>& parts) const
{
    AnsiString text;
    for (int i = 0; i < partCount(); ++i) {
        if (i) text += ':';
        int v = i < static_cast<int>(parts.size()) ? parts[static_cast<size_t>(i)] : -1;
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "%02d", v < 0 ? 0 : v % 100);
        text += v == -1 ? AnsiString("__") : AnsiString(buffer);
    }
    return text;
}

void TqvInplaceTimeEdit::LoadValue(const Variant& value)
{
    AssigningText assigning(this);
    if (value.IsEmptyOrNull() || (value.IsString() && Trim(value.AsString()).empty())) {
        SetText(Mask().EmptyText());
        return;
    }
    std::vector<int> parts;
    if (value.IsString()) {
        // "9:5" or "09:05:00": the numbers between the colons.
        AnsiString text = value.AsString();
        size_t at = 0;
        while (static_cast<int>(parts.size()) < partCount() && at <= text.size()) {
            size_t end = text.find(':', at);
            AnsiString part = Trim(text.substr(at, end == AnsiString::npos ? AnsiString::npos : end - at));
            int number = 0;
            parts.push_back(part.empty() || !TryStrToInt(part, number) ? -1 : number);
            if (end == AnsiString::npos) break;
            at = end + 1;
        }
    } else {
        double day = value.AsFloat();
        long long seconds = std::llround((day - std::floor(day)) * 86400.0) % 86400;
        parts = {static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60)};
    }
    SetText(textOf(parts));
}

std::vector<int> TqvInplaceTimeEdit::Parts() const
{
    std::vector<int> parts;
    AnsiString text = Text();
    for (int i = 0; i < partCount(); ++i) {
        size_t at = static_cast<size_t>(i) * 3;
        AnsiString part = at < text.size() ? text.substr(at, 2) : AnsiString();
        AnsiString digits;
        for (char c : part)
            if (c >= '0' && c <= '9') digits += c;
        int number = 0;
        parts.push_back(digits.empty() ? -1 : TryStrToInt(digits, number) ? number : -2);
    }
    return parts;
}

Variant TqvInplaceTimeEdit::EditingValue() const
{
    for (int part : Parts())
        if (part != -1) return Variant(Text());
    return Variant::Null();
}

void TqvInplaceTimeEdit::Step(int steps)
{
    if (!CanModify()) return;
    std::vector<int> parts = Parts();
    int caret = SelStart();
    size_t part = std::min<size_t>(static_cast<size_t>(caret / 3), parts.size() - 1);
    int limit = part == 0 ? 24 : 60;
    int v = std::max(0, parts[part]) + steps;
    parts[part] = ((v % limit) + limit) % limit;
    for (int& p : parts)
        if (p < 0) p = 0;
    SetText(textOf(parts));
    SetSelection(caret, 0);
    TextChangedByUser();
}

void TqvInplaceTimeEdit::ValidateEdit()
{
    TqvInplaceSpinEdit::ValidateEdit();
    std::vector<int> parts = Parts();
    for (size_t i = 0; i < parts.size(); ++i)
        if (parts[i] == -2 || parts[i] > (i == 0 ? 23 : 59)) {
            EditorBeep();
            throw EqvEditInvalidInput(EditText::InvalidInput);
        }
}
