#pragma once
// Alignment of controls inside their parent: a control aligned to the top,
// bottom, left or right keeps its own height (or width) and takes the whole
// width (or height) left over; a client-aligned control fills what the others
// leave. The parent places them in that order — top, bottom, left, right,
// client — and, within one kind, in the order they were aligned, again
// whenever the parent is resized.
//
// The placing is a layout of its own on the parent (TAlignLayout). A parent
// that already has another Qt layout keeps it: aligning a child of such a
// parent records the alignment and leaves the placing to that layout.
// Unaligned children (alNone) are never moved.
//
// Any widget can be aligned this way (the grids as well as the runtime's
// controls): ApplyAlign is the one entry.

#include <QLayout>
#include <QList>

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

class TAlignLayout : public QLayout {
public:
    explicit TAlignLayout(QWidget* parent);
    ~TAlignLayout() override;

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

    void SetAlign(QWidget* control, TAlign align);

private:
    struct Entry {
        QLayoutItem* item;
        TAlign align;
    };
    QList<Entry> entries_;
};

// Aligns `control` within its parent widget (a control without a parent is
// aligned when it gets one: the runtime's controls call this again then).
void ApplyAlign(QWidget* control, TAlign align);
