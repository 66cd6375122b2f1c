// The drop-down editors: reading typed dates (keywords with an injected
// clock, the long form the editor shows), the date editor's handling of an
// unreadable text, the lookup editor's incremental search over its
// snapshot, and where the drop-down window opens.
#include "DBGridFixture.h"
#include "EditorHarness.h"
#include "support/PinnedFormatSettings.h"

#include "grid/editors/EditorRegistry.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <gmock/gmock.h>

namespace {

using ::testing::ThrowsMessage;
using ::testing::HasSubstr;

struct PinnedSettings {
    PinnedSettings() : saved(FormatSettings()) { FormatSettings() = PinnedFormatSettings(); }
    ~PinnedSettings() { FormatSettings() = saved; }
    TFormatSettings saved;
};

// Wednesday 13 March 2024, 10:30.
const TDateTime kNow = EncodeDateTime(2024, 3, 13, 10, 30, 0, 0);

TEST(DateText, KeywordsLongFormAndShortForm)
{
    PinnedSettings pinned;
    struct Case {
        const char* text;
        bool readable;
        TDateTime want;
    } cases[] = {
        {"TODAY", true, EncodeDate(2024, 3, 13)},
        {"today+3", true, EncodeDate(2024, 3, 16)},
        {" Today - 20 ", true, EncodeDate(2024, 2, 22)},
        {"eom", true, EncodeDate(2024, 3, 31)},
        {"BOM-1", true, EncodeDate(2024, 2, 29)},
        {"yesterday", true, EncodeDate(2024, 3, 12)},
        {"TOMORROW", true, EncodeDate(2024, 3, 14)},
        {"WEDNESDAY", true, EncodeDate(2024, 3, 13)},  // today included
        {"sunday", true, EncodeDate(2024, 3, 17)},
        {"FIRST", true, EncodeDate(2024, 3, 10)},  // the week starts on Sunday
        {"SEVENTH", true, EncodeDate(2024, 3, 16)},
        {"NOW", true, kNow},
        {"TODAY+x", true, EncodeDate(2024, 3, 13)},  // an unreadable number is ignored
        // A keyword counts only when nothing or an offset follows it.
        {"TODAYS", false, 0},
        {"NOWHERE", false, 0},
        {"2024-3-5", true, EncodeDate(2024, 3, 5)},
        {"2024年3月5日", true, EncodeDate(2024, 3, 5)},
        {"2024年3月5日 09:15:00", true, EncodeDateTime(2024, 3, 5, 9, 15, 0, 0)},
        {"2024年13月5日", false, 0},
        {"", true, NoDate},
        {"not a date", false, 0},
    };
    for (const Case& c : cases) {
        TDateTime got = 0;
        bool readable = TryReadDateText(Ansi(reinterpret_cast<const char8_t*>(c.text)), kNow, got);
        EXPECT_EQ(readable, c.readable) << c.text;
        if (c.readable && readable) EXPECT_DOUBLE_EQ(got, c.want) << c.text;
    }
}

TEST(DateText, WhatTheEditorShowsReadsBackAsTheSameDate)
{
    PinnedSettings pinned;
    for (TDateTime value : {EncodeDate(2024, 3, 5), EncodeDate(1999, 12, 31), EncodeDateTime(2024, 11, 30, 23, 59, 58, 0),
                            EncodeDate(1, 1, 1), EncodeDateTime(1899, 12, 29, 6, 0, 0, 0)}) {
        TqvInplaceDateEdit editor(nullptr);
        editor.LoadValue(Variant::FromDateTime(value));
        TDateTime back = 0;
        ASSERT_TRUE(TryReadDateText(editor.Text(), kNow, back)) << AnsiToUtf8(editor.Text());
        EXPECT_NEAR(back, value, 1e-8) << AnsiToUtf8(editor.Text());
    }
}

// A date editor in an editing turn, with a typed text.
struct TypedDate {
    explicit TypedDate(const char* typed, TDateTime loaded = EncodeDate(2024, 1, 2))
    {
        editor.SetClock([] { return kNow; });
        editor.LoadValue(Variant::FromDateTime(loaded));
        editor.SetModified(false);
        editor.Activate();
        editor.SetText(typed);
        editor.SetModified(true);
    }
    PinnedSettings pinned;
    TqvInplaceDateEdit editor{nullptr};
};

TEST(DateEditor, AnUnreadableTextFollowsDateOnErrorOrIsRefused)
{
    Beeps beeps;
    {
        TypedDate t("eom+2");
        t.editor.ValidateText();
        EXPECT_EQ(t.editor.Date(), EncodeDate(2024, 4, 2));
        EXPECT_EQ(t.editor.EditingValue(), Variant::FromDateTime(EncodeDate(2024, 4, 2)));
    }
    {
        TypedDate t("nonsense");
        t.editor.SetDateOnError(TqvDateOnError::Today);
        t.editor.ValidateText();
        EXPECT_EQ(t.editor.Date(), EncodeDate(2024, 3, 13));
    }
    {
        TypedDate t("nonsense");
        t.editor.ValidateText();
        EXPECT_TRUE(t.editor.EditingValue().IsNull()) << "DateOnError no date";
    }
    {
        TypedDate t("nonsense");
        t.editor.SetDateValidation(true);
        EXPECT_THAT([&] { t.editor.ValidateText(); }, ThrowsMessage<EqvEditInvalidInput>(HasSubstr("Invalid Date")));
        EXPECT_GT(beeps.count, 0);
        // The handler may accept the text with a date of its own, or change the message.
        t.editor.OnDateValidateInput = [](TqvInplaceEdit*, const AnsiString& text, TDateTime& date, AnsiString& message,
                                          bool& error) {
            if (text == "nonsense") {
                error = false;
                date = EncodeDate(2000, 1, 1);
            }
        };
        t.editor.ValidateText();
        EXPECT_EQ(t.editor.Date(), EncodeDate(2000, 1, 1));
    }
}

TEST(DateEditor, ClosingWithAnUnreadableTextRestoresTheTextAndWritesNothing)
{
    TypedDate t("nonsense");
    AnsiString shown = LongDateText(EncodeDate(2024, 1, 2));
    t.editor.CloseReading();
    EXPECT_EQ(t.editor.Text(), shown);
    EXPECT_FALSE(t.editor.Modified());
    EXPECT_EQ(t.editor.Date(), EncodeDate(2024, 1, 2));
}

TEST(DropDown, TheWindowStaysOnTheScreen)
{
    QRect screen(0, 0, 800, 600);
    struct Case {
        const char* why;
        QRect editor;
        QSize size;
        TqvPopupAlignment alignment;
        QRect want;
    } cases[] = {
        {"below, as wide as the editor", {100, 100, 200, 20}, {150, 100}, TqvPopupAlignment::Left, {100, 120, 200, 100}},
        {"right aligned", {100, 100, 200, 20}, {300, 100}, TqvPopupAlignment::Right, {0, 120, 300, 100}},
        {"centred", {300, 100, 100, 20}, {200, 50}, TqvPopupAlignment::Center, {250, 120, 200, 50}},
        {"above when there is no room below", {100, 550, 200, 20}, {200, 100}, TqvPopupAlignment::Left, {100, 450, 200, 100}},
        {"moved left at the right edge", {700, 100, 80, 20}, {200, 100}, TqvPopupAlignment::Left, {600, 120, 200, 100}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TqvInplaceDropDownEdit::PlacePopup(c.editor, c.size, screen, c.alignment), c.want) << c.why;
}

TEST(SpinEditor, UpAndDownStepWithinTheLimits)
{
    struct Case {
        const char* why;
        double min, max, increment;
        bool ctrl, useCtrl;
        const char* start;
        int key;
        const char* want;
    } cases[] = {
        {"up", 0, 0, 1, false, false, "5", Qt::Key_Up, "6"},
        {"down below 0 without limits", 0, 0, 2.5, false, false, "1", Qt::Key_Down, "-1.5"},
        {"up to the maximum", 0, 10, 5, false, false, "8", Qt::Key_Up, "10"},
        {"down to the minimum", 3, 10, 5, false, false, "4", Qt::Key_Down, "3"},
        {"UseCtrlIncrement: a plain Up does not step", 0, 0, 1, false, true, "5", Qt::Key_Up, "5"},
        {"UseCtrlIncrement: Ctrl+Up steps", 0, 0, 1, true, true, "5", Qt::Key_Up, "6"},
        {"a text that is no number counts as 0", 0, 0, 1, false, false, "x", Qt::Key_Up, "1"},
    };
    for (const Case& c : cases) {
        TqvInplaceSpinEdit editor(nullptr);
        EXPECT_EQ(editor.Text(), "0") << "it starts with 0";
        editor.SetMinValue(c.min);
        editor.SetMaxValue(c.max);
        editor.SetIncrement(c.increment);
        editor.SetUseCtrlIncrement(c.useCtrl);
        editor.SetText(c.start);
        QKeyEvent press(QEvent::KeyPress, c.key, c.ctrl ? Qt::ControlModifier : Qt::NoModifier);
        QApplication::sendEvent(editor.LineEdit(), &press);
        EXPECT_EQ(editor.Text(), c.want) << c.why;
    }
}

class Lookup : public DBGridFixture {
public:
    Lookup()
    {
        db.Exec("CREATE TABLE L (ID INTEGER, NAME VARCHAR(20))");
        int id = 1;
        for (const char* name : {"Banana", "apple", "Blueberry", "Avocado", "cherry"})
            db.Exec("INSERT INTO L VALUES (?, ?)", {Variant(id++), Variant(AnsiString(name))});
        query.SQL().SetText("SELECT ID, NAME FROM L ORDER BY ID");
        query.Open();
    }
    void type(TqvInplaceLookupEdit& e, const char* text)
    {
        for (const char* c = text; *c; ++c) e.TypeCharacter(static_cast<char32_t>(*c));
    }
};

TEST_F(Lookup, TheSnapshotLeavesTheDataSetWhereItIs)
{
    query.MoveBy(2);
    int scrolls = 0;
    query.AfterScroll = [&](TDataSet*) { ++scrolls; };
    auto items = TqvInplaceLookupEdit::Snapshot(query, "ID", "NAME");
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[3].Text, "Avocado");
    EXPECT_EQ(items[3].Key, Variant(4));
    EXPECT_EQ(query.RecNo(), 3);
    EXPECT_EQ(query.FieldByName("NAME")->AsString(), "Blueberry");
    EXPECT_EQ(scrolls, 0);
}

TEST_F(Lookup, TypingSearchesIncrementallyWithoutRegardToCase)
{
    Beeps beeps;
    TqvInplaceLookupEdit editor(nullptr);
    editor.SetListItems(TqvInplaceLookupEdit::Snapshot(query, "ID", "NAME"));
    editor.LoadValue(Variant(5));
    EXPECT_EQ(editor.Text(), "cherry");
    editor.Activate();
    type(editor, "a");
    EXPECT_EQ(editor.Key(), Variant(2));  // the first in list order: apple before Avocado
    EXPECT_EQ(editor.Text(), "apple");
    EXPECT_EQ(editor.SelStart(), 1);
    EXPECT_EQ(editor.SelLength(), 4);
    type(editor, "V");
    EXPECT_EQ(editor.Key(), Variant(4));
    EXPECT_EQ(editor.Text(), "Avocado");
    type(editor, "x");  // matches nothing: dropped
    EXPECT_EQ(editor.SearchText(), "aV");
    EXPECT_EQ(editor.Key(), Variant(4));
    EXPECT_EQ(beeps.count, 1);
    Word back = VK_BACK;
    editor.SendKeyForTest(back);
    EXPECT_EQ(editor.SearchText(), "a");
    EXPECT_EQ(editor.Key(), Variant(2));
    EXPECT_EQ(editor.EditingValue(), Variant(2));
    // Backspace over the whole text clears the value only with CanDeleteText.
    editor.SetSelection(0, 5);
    back = VK_BACK;
    editor.SetCanDeleteText(true);
    editor.SendKeyForTest(back);
    EXPECT_TRUE(editor.Key().IsNull());
    EXPECT_EQ(editor.Text(), "");
}

}  // namespace
