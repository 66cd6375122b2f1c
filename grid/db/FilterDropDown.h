#pragma once
// The list a column's filter button (or F4) opens under the column header:
// "(All)", "(Custom...)", "(Blanks)", "(NonBlanks)" and the column's values.
// A top-level popup that belongs to the grid (freed with it). A click on an
// entry, or Enter on the current one, chooses it and closes the list; Esc
// or a click outside closes it without a choice.
//
// Rules that are easy to break:
// - The list is closed before OnChoose runs, so that what the choice opens
//   (the custom dialog) and the reload it starts find no popup in the way.
// - OnChoose runs inside the runtime's guard: its errors go to the
//   application's handler.

#include <QFrame>
#include <QStringList>

#include <functional>

class QListWidget;

class TqvFilterDropDown : public QFrame {
public:
    explicit TqvFilterDropDown(QWidget* grid);

    // Shows the entries below `anchor` (global coordinates; above it when
    // there is no room below), `rows` entries high, `width` wide (0: as
    // wide as the entries need, at least as wide as the anchor), with the
    // entry `current` selected.
    void Open(const QRect& anchor, const QStringList& entries, int current, int rows, int width);
    QListWidget* List() const { return list_; }
    // Chooses an entry as a click on it does.
    void Choose(int index);

    std::function<void(int index)> OnChoose;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* list_;
};
