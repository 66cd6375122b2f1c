#pragma once
// What the tests of single editors stand on: an editor shown in a window of
// its own, as the grid would show it over a cell, and the beeps an editor
// gives while a test runs.

#include "grid/editors/InplaceEdit.h"

#include <QRect>
#include <QSize>
#include <QWidget>

#include <functional>

// The editor is a child of `form` and goes before it.
template <class Editor>
struct ShownEditor {
    // Shown at once at `geometry` (a null rectangle keeps the editor's own
    // size), in a window of `window` size when one is given.
    explicit ShownEditor(QRect geometry, QSize window = {}) { Show(geometry, window); }
    // Shown later, by Show.
    ShownEditor() = default;

    void Show(QRect geometry = {}, QSize window = {})
    {
        editor.setParent(&form);
        if (window.isValid()) form.resize(window);
        if (!geometry.isNull()) editor.setGeometry(geometry);
        form.show();
        editor.show();
    }

    QWidget form;
    Editor editor{nullptr};
};

// Counts the editors' beeps while it lives.
struct Beeps {
    Beeps() { old = SetEditorBeepHook([this] { ++count; }); }
    ~Beeps() { SetEditorBeepHook(old); }
    int count = 0;
    std::function<void()> old;
};
