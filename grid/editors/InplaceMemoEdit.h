#pragma once
// The memo editor: multi-line text in the cell. Enter starts a new line
// when WantReturns is set (Ctrl+Enter then goes to the grid as Enter), Tab
// inserts a tab when WantTabs is set; Up, Down, Page Up and Page Down move
// inside the text instead of moving the grid's focus. WordWrap wraps at the
// editor's width; ScrollBars says which scroll bars there may be, shown only
// when needed while HideScrollBars is on.
//
// Rules that are easy to break:
// - Line ends come back as they were loaded: a text with CR LF keeps CR LF.
// - Every change by the user (typing, Backspace, Delete, paste, cut) asks
//   the container first; a read-only editor changes nothing.

#include "grid/editors/InplaceEdit.h"

class QPlainTextEdit;

enum TqvScrollBars : uint8_t { sbsNone, sbsHorizontal, sbsVertical, sbsBoth };

class TqvInplaceMemoEdit : public TqvInplaceEdit {
public:
    explicit TqvInplaceMemoEdit(TCustomqvContainer* container);
    const char* ClassName() const override { return "TqvInplaceMemoEdit"; }

    AnsiString Text() const override;
    void SetText(const AnsiString& text) override;
    QWidget* FocusWidget() override;
    QPlainTextEdit* Memo() const { return memo_; }
    void SelectAllText() override;

    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool value) { wantReturns_ = value; }
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool value) { wantTabs_ = value; }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    TqvScrollBars ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TqvScrollBars value);
    bool HideScrollBars() const { return hideScrollBars_; }
    void SetHideScrollBars(bool value);
    bool SelectionBar() const { return selectionBar_; }
    void SetSelectionBar(bool value);

    // The first line of a text, for a cell that has no room for more.
    static AnsiString FirstLine(const AnsiString& text);

protected:
    void KeyPress(char32_t& character) override;
    void ReadOnlyChanged() override;
    void UpdateShape() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void insert(const QString& text);
    void applyScrollBars();

    QPlainTextEdit* memo_;
    bool crlf_ = false;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
    bool wordWrap_ = true;
    TqvScrollBars scrollBars_ = sbsNone;
    bool hideScrollBars_ = true;
    bool selectionBar_ = false;
};
