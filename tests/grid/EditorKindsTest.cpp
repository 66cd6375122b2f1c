// The text, currency and mask editors in a grid cell: what typing, pasting
// and validation do, and the faults that must stay mended (Esc can always
// abandon a change; lengths count code-page bytes and characters the code
// page lacks are refused). The mask grammar itself is tested with the runtime.
#include "EditingFixture.h"

#include "grid/editors/EditorRegistry.h"
#include "runtime/db/Field.h"
#include "runtime/FormatSettings.h"

#include <QClipboard>
#include <QFocusEvent>

#include <gmock/gmock.h>

namespace {

class EditorKinds : public EditingFixture {
public:
    TqvInplaceTextEdit* textEditor() const { return dynamic_cast<TqvInplaceTextEdit*>(editor()); }
    // Opens the editor on a cell with a given text, caret at its end.
    void openWith(int column, const QString& text)
    {
        if (editor()) press(Qt::Key_Escape);
        query.Cancel();
        focusCell(0, column);
        press(Qt::Key_F2);
        ASSERT_NE(textEditor(), nullptr);
        textEditor()->SetText(QStringToAnsi(text));
        textEditor()->SetSelection(text.size(), 0);
    }
    void paste(const QString& text)
    {
        QApplication::clipboard()->setText(text);
        press(Qt::Key_V, Qt::ControlModifier);
    }
};

TEST_F(EditorKinds, CurrencyTyping)
{
    Open();
    struct Case {
        unsigned decimals;
        const char* start;
        const char* typed;
        const char* text;
        int beeps;
        const char* why;
    };
    const Case cases[] = {
        {6, "1.12345", "6", "1.123456", 0, "six decimals fit"},
        {6, "1.123456", "7", "1.123456", 1, "the seventh decimal is refused"},
        {2, "3.14", "1", "3.14", 1, "the third decimal with two places"},
        {2, "1", ",", "1.", 0, "a comma becomes the decimal point"},
        {6, "", "-", "-", 0, "a minus into an empty editor"},
        {6, "1", "-", "1", 1, "a minus after a digit"},
        {6, "12", "a", "12", 1, "a letter"},
    };
    for (const Case& c : cases) {
        price->SetDecimalPlaces(c.decimals);
        openWith(2, c.start);
        beeps = 0;
        type(c.typed);
        EXPECT_EQ(editorText(), c.text) << c.why;
        EXPECT_EQ(beeps, c.beeps) << c.why;
    }
    // A pasted non-number: the text comes back, all of it selected.
    openWith(2, "12");
    textEditor()->SelectAll();
    paste("abc");
    EXPECT_EQ(editorText(), "12");
    EXPECT_EQ(textEditor()->SelLength(), 2);
    paste("7.5");
    EXPECT_EQ(editorText(), "7.5");
    EXPECT_TRUE(errors.empty());
}

TEST_F(EditorKinds, CurrencyValidation)
{
    std::string seenByGrid;
    grid->OnKeyDown = [&](TComponent*, Word& key, TShiftState) {
        if (key == VK_RETURN && editor()) seenByGrid = editorText();
    };
    Open();
    struct Case {
        double min, max;
        bool nullable;
        const char* typed;
        const char* text;  // before the grid gets Enter
        const char* field;
    };
    const Case cases[] = {
        {0, 0, false, "", "0", "0"},          // emptied, not nullable: 0
        {0, 100, false, "150", "100", "100"},  // kept within the limits
        {0, 0, false, "150", "150", "150"},    // 0/0 is no limit
        {0, 0, true, "", "", ""},              // nullable: empty stays empty, the field null
    };
    for (const Case& c : cases) {
        price->SetMinValue(c.min);
        price->SetMaxValue(c.max);
        price->SetNullable(c.nullable);
        openWith(2, "12.5");
        textEditor()->SelectAll();
        if (*c.typed)
            type(c.typed);
        else
            press(Qt::Key_Delete);
        press(Qt::Key_Return, Qt::NoModifier, "\r");
        EXPECT_EQ(seenByGrid, c.text);
        EXPECT_EQ(query.FieldByName("DJIA00")->AsString(), c.field);
        EXPECT_EQ(editor(), nullptr);
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(EditorKinds, MaskEditorCaretAndRefusal)
{
    auto* masked = AddColumn<TqvDBGridMaskColumn>("SPDM00");
    masked->SetEditMask("L00;1;_");
    Open();
    focusCell(0, 4);
    press(Qt::Key_F2);
    ASSERT_NE(textEditor(), nullptr);
    EXPECT_STREQ(editor()->ClassName(), "TqvInplaceDBTreeListMaskEdit");
    EXPECT_EQ(editorText(), "P1_");
    press(Qt::Key_Delete);  // the selection is blanked
    EXPECT_EQ(editorText(), "___");
    type("7");  // no digit where a letter must go
    EXPECT_EQ(beeps, 1);
    type("x1");
    EXPECT_EQ(editorText(), "x1_");
    EXPECT_EQ(textEditor()->SelStart(), 2);
    press(Qt::Key_Home);
    press(Qt::Key_Right);
    EXPECT_EQ(textEditor()->SelStart(), 1);
    press(Qt::Key_Return, Qt::NoModifier, "\r");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Invalid input value.  Use escape key to abandon changes");
    ASSERT_NE(editor(), nullptr);  // stays open, caret on the missing digit
    EXPECT_EQ(textEditor()->SelStart(), 2);
    press(Qt::Key_Escape);
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(query.FieldByName("SPDM00")->AsString(), "P1");
}

TEST_F(EditorKinds, EscAbandonsARefusedTextWhateverTookTheFocus)
{
    grid->OnEditValidate = [](TComponent*, AnsiString&, bool& accept) { accept = false; };
    int enters = 0;
    grid->OnKeyDown = [&](TComponent*, Word& key, TShiftState) { enters += key == VK_RETURN; };
    Open();
    focusCell(0, 2);
    type("5");
    press(Qt::Key_Return, Qt::NoModifier, "\r");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Invalid input value. Use escape key to abandon changes");
    EXPECT_EQ(enters, 0);  // refused before the grid heard it
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(beeps, 1);

    // The error box, a menu: the focus goes and comes back, nothing is checked
    // and the restore point stays where the turn began.
    QWidget* edit = editor()->FocusWidget();
    for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason), in(QEvent::FocusIn, reason);
        QApplication::sendEvent(edit, &out);
        QApplication::sendEvent(edit, &in);
    }
    EXPECT_EQ(errors.size(), 1u);
    // A real move to another control checks and takes the focus back.
    next->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(errors.size(), 2u);
    EXPECT_TRUE(edit->hasFocus());

    press(Qt::Key_Escape);
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(errors.size(), 2u);
    EXPECT_EQ(query.FieldByName("DJIA00")->AsFloat(), 12.5);
}

TEST_F(EditorKinds, LengthsCountBytesAndTheCodePageDecides)
{
    name->SetMaxLength(5);
    Open();
    openWith(1, "");
    type(QString::fromUtf8((const char*)u8"甲乙"));
    EXPECT_EQ(editor()->Text(), Ansi(u8"甲乙"));
    beeps = 0;
    type(QString::fromUtf8((const char*)u8"丙"));  // two more bytes would make 6
    EXPECT_EQ(beeps, 1);
    type("a");
    EXPECT_EQ(editor()->Text(), Ansi(u8"甲乙a"));

    // A paste keeps what fits, never half a character.
    openWith(1, QString::fromUtf8((const char*)u8"甲"));
    paste(QString::fromUtf8((const char*)u8"丙丁戊"));
    EXPECT_EQ(editor()->Text(), Ansi(u8"甲丙"));
    EXPECT_EQ(editor()->Text().size(), 4u);

    // Characters the code page cannot hold: refused, never stored as "?".
    openWith(1, "x");
    beeps = 0;
    type(QString::fromUtf8((const char*)u8"한"));
    press(Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8((const char*)u8"😀"));
    paste(QString::fromUtf8((const char*)u8"a😀"));
    EXPECT_EQ(beeps, 3);
    EXPECT_EQ(editorText(), "x");
    press(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(query.FieldByName("SPMC00")->AsString(), Ansi(u8"甲烟"));  // nothing changed
    EXPECT_TRUE(errors.empty());
}

}  // namespace
