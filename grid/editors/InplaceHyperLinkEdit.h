#pragma once
// The hyperlink editor: a text shown as a link (EditFontColor, blue by
// default, underlined, on EditBackgroundColor) that can be started: by the
// StartKey (Ctrl+Enter), by a double click, or by a single click with
// SingleClick. Starting raises OnStartClick and then hands the text to the
// link starter, which opens it with the desktop's handler unless a test or
// the application has put its own in (SetHyperLinkStarter).

#include "grid/editors/InplaceTextEdit.h"

// Opens a link; returns the previous starter. An empty one restores the desktop's.
using TqvHyperLinkStarter = std::function<void(const AnsiString& link)>;
TqvHyperLinkStarter SetHyperLinkStarter(TqvHyperLinkStarter starter);
void StartHyperLink(const AnsiString& link);

class TqvInplaceHyperLinkEdit : public TqvInplaceTextEdit {
public:
    explicit TqvInplaceHyperLinkEdit(TCustomqvContainer* container);
    const char* ClassName() const override { return "TqvInplaceHyperLinkEdit"; }

    TColor EditBackgroundColor() const { return background_; }
    void SetEditBackgroundColor(TColor value);
    TColor EditFontColor() const { return fontColor_; }
    void SetEditFontColor(TColor value);
    bool SingleClick() const { return singleClick_; }
    void SetSingleClick(bool value) { singleClick_ = value; }
    Word StartKey() const { return startKey_; }
    void SetStartKey(Word value) { startKey_ = value; }

    // Starts the link of the text (nothing for an empty text).
    void Start();
    void PassClick(const QPoint& at) override;

    void FillViewData(TqvEditViewData& data) const override;

    std::function<void(TqvInplaceEdit* Sender)> OnStartClick;

protected:
    void UpdateShape() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TColor background_ = clWindow;
    TColor fontColor_ = clBlue;
    bool singleClick_ = false;
    Word startKey_ = 0x4000 | 13;  // Ctrl+Enter
};
