#pragma once
// The check box editor: a field value shown as checked, unchecked or grayed
// by comparing its text with ValueChecked, ValueUnchecked and ValueGrayed
// (without regard to case). Space or a click toggles it: unchecked, checked,
// then grayed when AllowGrayed is set, and round again.
//
// Rules that are easy to break:
// - A null value is not "unchecked": it shows as ShowNullFieldStyle says
//   (an unchecked box, a grayed checked box, or an inactive empty box) and
//   reads back as null until the user toggles it.
// - A text that matches none of the three values counts as null, so an
//   unexpected field value is never overwritten by merely opening the cell.
// - The grid paints cells with the same PaintCheckBox, so a cell looks the
//   same with and without its editor.

#include "grid/editors/InplaceEdit.h"

enum TqvCheckBoxState : uint8_t { cbsUnchecked, cbsChecked, cbsGrayed };
enum TqvShowNullFieldStyle : uint8_t { nsUnchecked, nsGrayedChecked, nsInactive };

struct TqvCheckEditViewData : TqvEditViewData {
    TqvCheckBoxState State = cbsUnchecked;
    bool Null = false;
    TqvShowNullFieldStyle NullStyle = nsUnchecked;
};

class TqvInplaceCheckEdit : public TqvInplaceEdit {
public:
    explicit TqvInplaceCheckEdit(TCustomqvContainer* container);
    const char* ClassName() const override { return "TqvInplaceCheckEdit"; }

    const AnsiString& ValueChecked() const { return valueChecked_; }
    void SetValueChecked(const AnsiString& value) { valueChecked_ = value; }
    const AnsiString& ValueUnchecked() const { return valueUnchecked_; }
    void SetValueUnchecked(const AnsiString& value) { valueUnchecked_ = value; }
    const AnsiString& ValueGrayed() const { return valueGrayed_; }
    void SetValueGrayed(const AnsiString& value) { valueGrayed_ = value; }
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }
    TqvShowNullFieldStyle ShowNullFieldStyle() const { return nullStyle_; }
    void SetShowNullFieldStyle(TqvShowNullFieldStyle value) { nullStyle_ = value; }

    TqvCheckBoxState State() const { return state_; }
    bool IsNull() const { return null_; }
    // The state a text stands for; `null` when it matches none of the values.
    static TqvCheckBoxState StateOfText(const AnsiString& text, const AnsiString& checked,
                                        const AnsiString& unchecked, const AnsiString& grayed, bool& null);

    // The text of the state (empty while null).
    AnsiString Text() const override;
    void SetText(const AnsiString& text) override;
    Variant EditingValue() const override;
    // The user's toggle: asks the container first; modified, OnChange, OnToggleClick.
    void Toggle();
    void PassClick(const QPoint& at) override { Toggle(); }

    std::unique_ptr<TqvEditViewData> CreateViewData() const override;
    void FillViewData(TqvEditViewData& data) const override;
    void PaintView(QPainter& canvas, const TqvEditViewData& data) const override;
    // The box alone, by the alignment inside `rect`.
    static void PaintCheckBox(QPainter& canvas, const QRect& rect, TAlignment alignment, TqvCheckBoxState state,
                              bool null, TqvShowNullFieldStyle nullStyle, bool enabled);

    std::function<void(TqvInplaceEdit* Sender)> OnToggleClick;

protected:
    void KeyPress(char32_t& character) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    AnsiString valueChecked_ = "True";
    AnsiString valueUnchecked_ = "False";
    AnsiString valueGrayed_;
    bool allowGrayed_ = false;
    TqvShowNullFieldStyle nullStyle_ = nsUnchecked;
    TqvCheckBoxState state_ = cbsUnchecked;
    bool null_ = true;
};
