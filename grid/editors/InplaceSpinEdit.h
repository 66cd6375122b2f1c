#pragma once
// The spin editor: a number stepped by Up and Down (only with Ctrl when
// UseCtrlIncrement is set) by Increment, within MinValue .. MaxValue (no
// limit when both are 0). With EditorEnabled off the text cannot be typed,
// only stepped. An empty editor starts with the text "0".
//
// The two spin buttons at the right step once when pressed and then every
// 100 ms while the button is held (RepeatTimer); releasing the mouse stops.

#include "grid/editors/InplaceMaskEdit.h"

class QTimer;

class TqvInplaceSpinEdit : public TqvInplaceMaskEdit {
public:
    explicit TqvInplaceSpinEdit(TCustomqvContainer* container);
    const char* ClassName() const override { return "TqvInplaceSpinEdit"; }

    double Increment() const { return increment_; }
    void SetIncrement(double value) { increment_ = value; }
    double MinValue() const { return min_; }
    void SetMinValue(double value) { min_ = value; }
    double MaxValue() const { return max_; }
    void SetMaxValue(double value) { max_ = value; }
    bool EditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool value) { editorEnabled_ = value; }
    bool UseCtrlIncrement() const { return useCtrlIncrement_; }
    void SetUseCtrlIncrement(bool value) { useCtrlIncrement_ = value; }

    void LoadValue(const Variant& value) override;
    // One step up (`steps` > 0) or down; the text that does not read as a
    // number counts as 0.
    virtual void Step(int steps);

    // The up and down buttons (editor coordinates; empty while too narrow).
    QRect UpButton() const;
    QRect DownButton() const;
    // The repeat of a held button (made on the first press).
    QTimer* RepeatTimer() const { return repeat_; }
    // One repeat step of the held button (the timer's tick).
    void RepeatTick();
    static constexpr int RepeatInterval = 100;

protected:
    void KeyPress(char32_t& character) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void UpdateShape() override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    double increment_ = 1;
    double min_ = 0, max_ = 0;
    bool editorEnabled_ = true;
    bool useCtrlIncrement_ = false;
    QTimer* repeat_ = nullptr;
    int held_ = 0;  // +1 up, -1 down, 0 none
};
