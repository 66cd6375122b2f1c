#pragma once
// The image editor: a value chosen from a list (Values), each shown as a
// picture of the image list (Images; ImageIndexes says which picture each
// value has, by default the value's own position) with its description
// (Descriptions, beside the picture when ShowDescription is set). The
// list of pictures drops down at the first click on the editor; typing a
// character moves to the next value whose description starts with it.
//
// Rules that are easy to break:
// - A loaded value that is not in Values is kept as it is (and shown
//   without a picture): opening the cell never changes it.
// - The grid paints a cell with the same PaintImageCell.

#include "grid/editors/InplaceDropDownEdit.h"

class QListWidget;

class TqvInplaceImageEdit : public TqvInplaceDropDownEdit {
public:
    explicit TqvInplaceImageEdit(TCustomqvContainer* container);
    const char* ClassName() const override { return "TqvInplaceImageEdit"; }

    const std::vector<AnsiString>& Values() const { return values_; }
    void SetValues(std::vector<AnsiString> values) { values_ = std::move(values); }
    const std::vector<AnsiString>& Descriptions() const { return descriptions_; }
    void SetDescriptions(std::vector<AnsiString> value) { descriptions_ = std::move(value); }
    const std::vector<AnsiString>& ImageIndexes() const { return imageIndexes_; }
    void SetImageIndexes(std::vector<AnsiString> value) { imageIndexes_ = std::move(value); }
    const std::vector<QPixmap>& Images() const { return images_; }
    void SetImages(std::vector<QPixmap> value) { images_ = std::move(value); }
    bool ShowDescription() const { return showDescription_; }
    void SetShowDescription(bool value) { showDescription_ = value; update(); }

    // The position of the value shown in Values, -1 when it is none of them.
    int ItemIndex() const;
    // Chooses a value by its position, as the user does.
    void ChooseItem(int index);
    QListWidget* List() { Popup(); return list_; }

    // The picture of the value at `index` in Values (null when it has none).
    static const QPixmap* PictureOf(int index, const std::vector<AnsiString>& imageIndexes,
                                    const std::vector<QPixmap>& images);
    static int IndexOf(const AnsiString& value, const std::vector<AnsiString>& values);
    // The picture and, with `showDescription`, the description after it.
    static void PaintImageCell(QPainter& canvas, const QRect& rect, const QPixmap* picture,
                               const AnsiString& description, bool showDescription, TAlignment alignment,
                               const QColor& textColor);

    void PassClick(const QPoint& at) override;
    void PaintView(QPainter& canvas, const TqvEditViewData& data) const override;

protected:
    void KeyPress(char32_t& character) override;
    void UpdateShape() override;
    void paintEvent(QPaintEvent* event) override;
    void FillPopup(QFrame* popup) override;
    void PopupOpening() override;
    void AcceptPopup() override;

private:
    AnsiString descriptionOf(int index) const;

    std::vector<AnsiString> values_, descriptions_, imageIndexes_;
    std::vector<QPixmap> images_;
    bool showDescription_ = false;
    QListWidget* list_ = nullptr;
};
