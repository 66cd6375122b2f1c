#pragma once
// The blob editor: a large text (a memo blob) edited in a sizeable popup
// memo (PopupWidth × PopupHeight, 200 × 140 by default) that drops down at
// the first click, by F4, or at once with ImmediatePopup. The cell and the
// closed editor show an icon, a page that is blank for an empty value and
// lined for a filled one (BlobPaintStyle bpsIcon), or the first line of the
// text (bpsText).
//
// In the popup, Enter starts a new line while MemoWantReturns is set;
// Ctrl+Enter accepts, Esc discards. Typing asks the container first: a
// read-only editor shows the text and changes nothing.

#include "grid/editors/InplaceDropDownEdit.h"
#include "grid/editors/InplaceMemoEdit.h"

class QPlainTextEdit;

enum TqvBlobKind : uint8_t { bkAuto, bkNone, bkBlob, bkGraphic, bkMemo, bkPicture };
enum TqvBlobPaintStyle : uint8_t { bpsDefault, bpsIcon, bpsText };

class TqvInplaceBlobEdit : public TqvInplaceDropDownEdit {
public:
    explicit TqvInplaceBlobEdit(TCustomqvContainer* container);
    const char* ClassName() const override { return "TqvInplaceBlobEdit"; }

    TqvBlobPaintStyle BlobPaintStyle() const { return paintStyle_; }
    void SetBlobPaintStyle(TqvBlobPaintStyle value) { paintStyle_ = value; update(); }
    int PopupWidth() const { return popupWidth_; }
    void SetPopupWidth(int value) { popupWidth_ = value > 0 ? value : 200; }
    int PopupHeight() const { return popupHeight_; }
    void SetPopupHeight(int value) { popupHeight_ = value > 0 ? value : 140; }
    bool SizeablePopup() const { return sizeable_; }
    void SetSizeablePopup(bool value) { sizeable_ = value; }
    bool ImmediatePopup() const { return immediatePopup_; }
    void SetImmediatePopup(bool value) { immediatePopup_ = value; }
    bool MemoWantReturns() const { return wantReturns_; }
    void SetMemoWantReturns(bool value) { wantReturns_ = value; }
    bool MemoWordWrap() const { return wordWrap_; }
    void SetMemoWordWrap(bool value) { wordWrap_ = value; }
    TqvScrollBars MemoScrollBars() const { return scrollBars_; }
    void SetMemoScrollBars(TqvScrollBars value) { scrollBars_ = value; }
    int MemoMaxLength() const { return memoMaxLength_; }
    void SetMemoMaxLength(int value) { memoMaxLength_ = value < 0 ? 0 : value; }

    QPlainTextEdit* PopupMemo() { Popup(); return memo_; }
    void PassClick(const QPoint& at) override;

    // The page icon of an empty or a filled value, centred in `rect`.
    static void PaintBlobIcon(QPainter& canvas, const QRect& rect, bool filled);
    void PaintView(QPainter& canvas, const TqvEditViewData& data) const override;

protected:
    void UpdateShape() override;
    void paintEvent(QPaintEvent* event) override;
    void DoActivate() override;
    void FillPopup(QFrame* popup) override;
    void PopupOpening() override;
    void AcceptPopup() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* memo_ = nullptr;
    TqvBlobPaintStyle paintStyle_ = bpsIcon;
    int popupWidth_ = 200;
    int popupHeight_ = 140;
    bool sizeable_ = true;
    bool immediatePopup_ = false;
    bool wantReturns_ = true;
    bool wordWrap_ = true;
    TqvScrollBars scrollBars_ = sbsBoth;
    int memoMaxLength_ = 0;
};
