#pragma once
// Grids inside a shown and active window, so that keys, focus moves and the
// in-place editors behave as they do for a user: GridWindowFixture puts the
// fixture's grid there (keys go to the widget that has the keyboard focus,
// errors that reach the application's handler are collected, the editors'
// beeps counted); EditingFixture is a line grid in cell mode over the sample
// documents in such a window, with another control after the grid.

#include "DBGridFixture.h"

#include "grid/editors/InplaceEdit.h"
#include "runtime/Application.h"
#include "runtime/Dialogs.h"

#include <QApplication>
#include <QLineEdit>

#include <string>
#include <vector>

class GridWindowFixture : public DBGridFixture {
public:
    GridWindowFixture()
    {
        Application().SetOnException([this](const std::exception& e) { errors.push_back(e.what()); });
        oldBeep = SetEditorBeepHook([this] { ++beeps; });
    }
    ~GridWindowFixture() override
    {
        SetEditorBeepHook(oldBeep);
        Application().SetOnException({});
        grid.reset();
    }

    // Opens the query and shows the window with the grid focused.
    void Open()
    {
        query.Open();
        form.show();
        form.activateWindow();
        QApplication::processEvents();
        grid->setFocus();
        QApplication::processEvents();
    }
    QWidget* focused() const
    {
        QWidget* w = QApplication::focusWidget();
        return w ? w : grid.get();
    }
    void press(int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {})
    {
        QKeyEvent event(QEvent::KeyPress, qtKey, mods, text);
        QApplication::sendEvent(focused(), &event);
    }
    // Focuses a row and a column position.
    void focusCell(int row, int column)
    {
        grid->SetFocusedNode(grid->Items(row));
        grid->SetFocusedColumn(column);
    }
    TqvInplaceEdit* editor() const { return grid->InplaceEditor(); }

    QWidget form;
    std::vector<std::string> errors;
    int beeps = 0;
    std::function<void()> oldBeep;
};

class EditingFixture : public GridWindowFixture {
public:
    EditingFixture()
    {
        InsertSampleDocuments(db);
        query.SQL().SetText("SELECT GSDW00, DHAO00, SPDM00, SPMC00, DJIA00, SL0000, JE0000 FROM XSTGJFP2 "
                            "WHERE GSDW00='C1' AND DHAO00=101 ORDER BY SPDM00");
        query.SetCachedUpdates(true);
        update.ModifySQL().SetText("UPDATE XSTGJFP2 SET DJIA00=:DJIA00, JE0000=:JE0000 WHERE GSDW00=:OLD_GSDW00 AND "
                                   "DHAO00=:OLD_DHAO00 AND SPDM00=:OLD_SPDM00");
        query.SetUpdateObject(&update);
        MakeGrid();
        grid->setParent(&form);
        grid->SetKeyField("SPDM00");
        grid->SetOptionsDB(grid->OptionsDB().With(edgoLoadAllRecords));
        grid->SetOptionsView(grid->OptionsView().Without(edgoRowSelect).With(edgoInvertSelect));
        code = AddColumn("SPDM00");
        name = AddColumn("SPMC00");
        price = AddColumn<TqvDBGridCurrencyColumn>("DJIA00");
        price->SetDisplayFormat(",0.000000;-,0.000000");
        price->SetDecimalPlaces(6);
        amount = AddColumn<TqvDBGridCurrencyColumn>("JE0000");
        amount->SetDisplayFormat(",0.00;-,0.00");
        amount->SetSummaryFooterType(cstSum);
        grid->SetShowSummaryFooter(true);
        grid->ShowRows(10);
        next = new QLineEdit(&form);
        next->setObjectName("next");
        next->move(0, grid->height() + 4);
        form.resize(620, grid->height() + 40);
        oldHook = SetDialogHook([this](const DialogRequest& r) {
            dialogs.push_back(r);
            return DialogAnswer{answer, {}};
        });
    }
    ~EditingFixture() override { SetDialogHook(oldHook); }

    // Types the characters one key at a time.
    void type(const QString& text)
    {
        for (QChar c : text) {
            int k = c.toUpper().unicode();
            if (c == '.') k = Qt::Key_Period;
            if (c == ',') k = Qt::Key_Comma;
            if (c == '-') k = Qt::Key_Minus;
            if (c.unicode() > 127) k = Qt::Key_unknown;
            press(k, Qt::NoModifier, QString(c));
        }
    }
    // A left click (press and release) on the grid.
    void clickAt(QPoint at)
    {
        click(*grid, at);
        QMouseEvent release(QEvent::MouseButtonRelease, at, grid->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(grid.get(), &release);
    }
    std::string editorText() const { return editor() ? AnsiToUtf8(editor()->Text()) : std::string("<closed>"); }

    QLineEdit* next = nullptr;
    TUpdateSQL update;
    TqvDBGridColumn* code = nullptr;
    TqvDBGridColumn* name = nullptr;
    TqvDBGridCurrencyColumn* price = nullptr;
    TqvDBGridCurrencyColumn* amount = nullptr;
    std::vector<DialogRequest> dialogs;
    int answer = IDOK;
    DialogHook oldHook;
};
