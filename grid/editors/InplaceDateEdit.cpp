#include "grid/editors/InplaceDateEdit.h"

#include "runtime/Application.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {
constexpr const char* kInvalidDate = "Invalid Date";

QDate toQDate(TDateTime value)
{
    int y = 0, m = 0, d = 0;
    DecodeDate(value, y, m, d);
    return QDate(y, m, d);
}
}  // namespace

TqvInplaceDateEdit::TqvInplaceDateEdit(TCustomqvContainer* container) : TqvInplaceDropDownEdit(container)
{
    SetImmediateDropDown(false);
}

void TqvInplaceDateEdit::LoadValue(const Variant& value)
{
    date_ = NoDate;
    if (!value.IsEmptyOrNull()) {
        if (value.IsNumeric())
            date_ = value.FloatValue() != 0 || value.Type() != VarType::Float ? value.AsFloat() : 0;
        else if (!TryReadDateText(value.AsString(), now(), date_))
            date_ = NoDate;
    }
    loaded_ = date_;
    SetText(date_ == NoDate ? AnsiString() : LongDateText(date_));
}

Variant TqvInplaceDateEdit::EditingValue() const
{
    return date_ == NoDate ? Variant::Null() : Variant::FromDateTime(date_);
}

void TqvInplaceDateEdit::SetDate(TDateTime value)
{
    bool changed = value != date_;
    date_ = value;
    SetText(value == NoDate ? AnsiString() : LongDateText(value));
    if (changed && OnDateChange) OnDateChange(this);
}

void TqvInplaceDateEdit::SetDateButtons(bool today, bool clear)
{
    today_ = today;
    clear_ = clear;
    if (todayButton_) todayButton_->setVisible(today);
    if (clearButton_) clearButton_->setVisible(clear);
}

void TqvInplaceDateEdit::ReadText(bool closing)
{
    if (!Modified()) return;
    AnsiString text = Text();
    TDateTime found = NoDate;
    bool readable = TryReadDateText(text, now(), found);
    if (!readable || validation_) {
        if (closing) {
            if (!readable) {
                // Nothing readable to write: the text and the modified flag
                // of the turn's start come back, so the field keeps its value.
                RestoreText();
                date_ = loaded_;
            }
            return;
        }
        bool error = !readable && validation_;
        AnsiString errorText = kInvalidDate;
        if (OnDateValidateInput) OnDateValidateInput(this, text, found, errorText, error);
        if (error) {
            EditorBeep();
            if (FocusWidget()) FocusWidget()->setFocus();
            throw EqvEditInvalidInput(errorText);
        }
        if (!readable && found == NoDate && onError_ == TqvDateOnError::Today) found = DatePart(now());
    }
    bool changed = found != date_;
    date_ = found;
    if (changed && OnDateChange) OnDateChange(this);
    SetModified(true);
}

void TqvInplaceDateEdit::FillPopup(QFrame* popup)
{
    calendar_ = new QCalendarWidget(popup);
    calendar_->setGridVisible(true);
    auto* buttons = new QHBoxLayout;
    todayButton_ = new QPushButton(QStringLiteral("Today"), popup);
    clearButton_ = new QPushButton(QStringLiteral("Clear"), popup);
    buttons->addWidget(todayButton_);
    buttons->addWidget(clearButton_);
    static_cast<QVBoxLayout*>(popup->layout())->addWidget(calendar_);
    static_cast<QVBoxLayout*>(popup->layout())->addLayout(buttons);
    todayButton_->setVisible(today_);
    clearButton_->setVisible(clear_);
    QObject::connect(calendar_, &QCalendarWidget::clicked, popup, [this](QDate) {
        Guard([&] { CloseUp(true); });
    });
    QObject::connect(todayButton_, &QPushButton::clicked, popup, [this] {
        Guard([&] {
            CloseUp(false);
            pick(DatePart(now()));
        });
    });
    QObject::connect(clearButton_, &QPushButton::clicked, popup, [this] {
        Guard([&] {
            CloseUp(false);
            if (!CanModify()) return;
            SetDate(NoDate);
            TextChangedByUser();
        });
    });
}

void TqvInplaceDateEdit::PopupOpening()
{
    TDateTime shown = NoDate;
    if (!TryReadDateText(Text(), now(), shown) || shown == NoDate) shown = DatePart(now());
    calendar_->setSelectedDate(toQDate(shown));
}

void TqvInplaceDateEdit::AcceptPopup()
{
    QDate d = calendar_->selectedDate();
    TDateTime day = 0;
    if (d.isValid() && TryEncodeDate(d.year(), d.month(), d.day(), day)) pick(day);
}

// A day picked in the calendar; with SaveTime the time of day stays.
void TqvInplaceDateEdit::pick(TDateTime day)
{
    if (!CanModify()) return;
    TDateTime time = saveTime_ && date_ != NoDate ? std::fabs(TimePart(date_)) : 0;
    SetDate(day + (day < 0 ? -time : time));
    TextChangedByUser();
}
