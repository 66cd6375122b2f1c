#pragma once
// The graphic editor: a picture held as the bytes of an image file (what a
// graphic field stores), drawn centred (Center) and shrunk or grown to fit
// keeping its proportions (Stretch). Its toolbar (a popup under the
// editor, shown by a right click or ShowToolBar when PopupToolBar is set)
// has cut, copy, paste, delete, load and save.
//
// Rules that are easy to break:
// - The value is the file bytes as loaded: showing and saving a picture
//   never re-encodes it. A pasted picture becomes PNG bytes.
// - A file that is not a picture is refused with an error naming it; the
//   picture stays as it was.
// - Load and save ask for a file name through the file-name hook (tests put
//   their own in; by default the desktop's file dialog).

#include "grid/editors/InplaceEdit.h"

#include <QPixmap>

class TqvInplacePopupControl;

// Asks for a file name to load (`save` false) or save; empty when cancelled.
using TqvGraphicFileNameHook = std::function<QString(bool save)>;
TqvGraphicFileNameHook SetGraphicFileNameHook(TqvGraphicFileNameHook hook);

class TqvInplaceGraphicEdit : public TqvInplaceEdit {
public:
    explicit TqvInplaceGraphicEdit(TCustomqvContainer* container);
    ~TqvInplaceGraphicEdit() override;
    const char* ClassName() const override { return "TqvInplaceGraphicEdit"; }

    AnsiString Text() const override { return bytes_; }
    void SetText(const AnsiString& bytes) override;
    Variant EditingValue() const override;
    const QPixmap& Picture() const { return picture_; }

    bool Center() const { return center_; }
    void SetCenter(bool value) { center_ = value; update(); }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value) { stretch_ = value; update(); }
    bool PopupToolBar() const { return popupToolBar_; }
    void SetPopupToolBar(bool value) { popupToolBar_ = value; }

    // The user's commands (each that changes the picture asks the container).
    void CopyToClipboard();
    void CutToClipboard() override;
    void PasteFromClipboard() override;
    void DeleteSelection() override { DeletePicture(); }
    void DeletePicture();
    void LoadFromFile(const QString& path);
    void SaveToFile(const QString& path) const;
    // Load and save with a file name asked through the hook.
    void Load();
    void Save();

    // The toolbar under the editor (made on first use).
    TqvInplacePopupControl* ToolBar();
    void ShowToolBar();

    static void PaintGraphic(QPainter& canvas, const QRect& rect, const QPixmap& picture, bool center, bool stretch);
    void PaintView(QPainter& canvas, const TqvEditViewData& data) const override;

protected:
    void KeyDown(Word& key, TShiftState shift) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void setBytes(const AnsiString& bytes);

    AnsiString bytes_;
    QPixmap picture_;
    bool center_ = true;
    bool stretch_ = true;
    bool popupToolBar_ = true;
    TqvInplacePopupControl* toolBar_ = nullptr;
};
