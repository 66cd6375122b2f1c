#pragma once
// The status bar: a strip along the bottom of a window, divided into panels
// of fixed width (the last one takes what is left), each a lowered box with
// its text; or, with SimplePanel on, one box across the whole bar showing
// SimpleText. A bar without panels is an empty strip in its colour.
//
// Not a QStatusBar: that one is a message line holding widgets; this one has
// fixed-width text panels and is aligned like every other control.

#include "runtime/Alignment.h"
#include "runtime/controls/Control.h"

#include <vector>

struct TStatusPanel {
    AnsiString Text;
    int Width = 50;
    TAlignment Alignment = taLeftJustify;
};

class TStatusBar : public TControl {
public:
    explicit TStatusBar(TComponent* owner = nullptr, QWidget* parent = nullptr);
    const char* ClassName() const override { return "TStatusBar"; }

    const std::vector<TStatusPanel>& Panels() const { return panels_; }
    void SetPanels(std::vector<TStatusPanel> panels);
    // Sets the text of one panel; an index outside the panels is ignored.
    void SetPanelText(int index, const AnsiString& text);

    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool on);
    const AnsiString& SimpleText() const { return simpleText_; }
    void SetSimpleText(const AnsiString& text);

    // The box of panel `index` (of the simple panel with SimplePanel on).
    QRect PanelRect(int index) const;

protected:
    void Paint(QPainter& canvas) override;

private:
    std::vector<TStatusPanel> panels_;
    bool simplePanel_ = false;
    AnsiString simpleText_;
};
