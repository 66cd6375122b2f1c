// The check, pick, MRU, button, hyperlink, time, memo and image editors on
// their own: what a key, a click or a button does to the value, and the
// settings that change it.
#include "EditorHarness.h"

#include "grid/editors/EditorRegistry.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QToolButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTimer>

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;

void key(QWidget* to, int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, qtKey, mods, text);
    QApplication::sendEvent(to, &press);
}

void typeInto(TqvInplaceEdit& editor, const char* text)
{
    for (const char* c = text; *c; ++c) editor.TypeCharacter(static_cast<char32_t>(*c));
}

TEST(CheckEditor, ValuesTogglesAndNull)
{
    struct Case {
        const char* why;
        const char* loaded;  // nullptr: a null value
        bool allowGrayed;
        std::vector<const char*> afterToggles;  // the value after each toggle ("" = null)
    } cases[] = {
        {"unchecked, checked, unchecked", "N", false, {"Y", "N", "Y"}},
        {"with AllowGrayed the third state comes between", "N", true, {"Y", "?", "N"}},
        {"the values compare without regard to case", "y", false, {"N"}},
        {"null is checked by the first toggle", nullptr, false, {"Y", "N"}},
        {"an unknown text counts as null", "maybe", false, {"Y"}},
    };
    for (const Case& c : cases) {
        TqvInplaceCheckEdit editor(nullptr);
        editor.SetValueChecked("Y");
        editor.SetValueUnchecked("N");
        editor.SetValueGrayed("?");
        editor.SetAllowGrayed(c.allowGrayed);
        editor.LoadValue(c.loaded ? Variant(AnsiString(c.loaded)) : Variant::Null());
        EXPECT_EQ(editor.EditingValue().IsNull(), !c.loaded || AnsiString(c.loaded) == "maybe") << c.why;
        int toggles = 0;
        editor.OnToggleClick = [&](TqvInplaceEdit*) { ++toggles; };
        std::vector<std::string> seen;
        for (size_t i = 0; i < c.afterToggles.size(); ++i) {
            editor.Toggle();
            seen.push_back(editor.EditingValue().AsString());
        }
        EXPECT_EQ(seen, std::vector<std::string>(c.afterToggles.begin(), c.afterToggles.end())) << c.why;
        EXPECT_EQ(toggles, static_cast<int>(c.afterToggles.size()));
        EXPECT_TRUE(editor.Modified());
    }
}

TEST(CheckEditor, SpaceTogglesAReadOnlyEditorDoesNot)
{
    TqvInplaceCheckEdit editor(nullptr);
    editor.LoadValue(Variant(AnsiString("False")));
    key(&editor, Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(editor.State(), cbsChecked);
    editor.SetReadOnly(true);
    key(&editor, Qt::Key_Space, Qt::NoModifier, " ");
    editor.Toggle();
    EXPECT_EQ(editor.State(), cbsChecked);
}

TEST(CheckEditor, ACellLooksLikeTheEditor)
{
    // The null styles draw differently; the editor and the class-level paint agree.
    auto paint = [](TqvCheckBoxState state, bool null, TqvShowNullFieldStyle style) {
        QImage image(20, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        TqvInplaceCheckEdit::PaintCheckBox(p, image.rect(), taCenter, state, null, style, true);
        return image;
    };
    QImage unchecked = paint(cbsUnchecked, false, nsUnchecked);
    EXPECT_EQ(paint(cbsUnchecked, true, nsUnchecked), unchecked) << "nsUnchecked: null looks unchecked";
    EXPECT_NE(paint(cbsUnchecked, true, nsInactive), unchecked);
    EXPECT_EQ(paint(cbsUnchecked, true, nsGrayedChecked), paint(cbsGrayed, false, nsUnchecked));
    EXPECT_NE(paint(cbsChecked, false, nsUnchecked), unchecked);

    TqvInplaceCheckEdit editor(nullptr);
    editor.resize(20, 20);
    editor.LoadValue(Variant(AnsiString("True")));
    auto data = editor.CreateViewData();
    editor.FillViewData(*data);
    EXPECT_EQ(static_cast<TqvCheckEditViewData&>(*data).State, cbsChecked);
}

TEST(PickEditor, TypingCompletesOrIsHeldToTheList)
{
    Beeps beeps;
    struct Case {
        const char* why;
        TqvDropDownListStyle style;
        const char* typed;
        const char* text;
        int beeps;
    } cases[] = {
        {"completed from the list", lsEditList, "b", "Banana", 0},
        {"without regard to case", lsEditList, "BL", "Blueberry", 0},
        {"free text in an edit list (the completion's case stays)", lsEditList, "bx", "Bx", 0},
        {"a fixed list drops what matches nothing", lsFixedList, "bx", "Banana", 1},
        {"a fixed list searches as typed", lsEditFixedList, "bl", "Blueberry", 0},
    };
    for (const Case& c : cases) {
        beeps.count = 0;
        TqvInplacePickEdit editor(nullptr);
        editor.SetImmediateDropDown(false);
        editor.SetItems({"Banana", "apple", "Blueberry"});
        editor.SetDropDownListStyle(c.style);
        editor.LoadValue(Variant::Null());
        editor.Activate();
        typeInto(editor, c.typed);
        EXPECT_EQ(editor.Text(), c.text) << c.why;
        EXPECT_EQ(editor.EditingValue(), Variant(AnsiString(c.text))) << c.why;
        EXPECT_EQ(beeps.count, c.beeps) << c.why;
    }
}

TEST(PickEditor, SortedItemsNextItemAndValuesOutsideTheList)
{
    TqvInplacePickEdit editor(nullptr);
    editor.SetItems({"pear", "Apple", "fig"});
    editor.SetItemsSorted(true);
    EXPECT_THAT(editor.Items(), ElementsAre("Apple", "fig", "pear"));
    editor.LoadValue(Variant(AnsiString("kiwi")));
    EXPECT_EQ(editor.Text(), "kiwi") << "opening the cell never changes its value";
    editor.NextItem();
    EXPECT_EQ(editor.Text(), "Apple");
    editor.LoadValue(Variant(AnsiString("pear")));
    editor.NextItem();
    EXPECT_EQ(editor.Text(), "pear") << "the end of the list without Revertable";
    editor.SetRevertable(true);
    editor.NextItem();
    EXPECT_EQ(editor.Text(), "Apple");
}

TEST(MRUEditor, RecentValuesFirstAtMostMaxItemCount)
{
    ShownEditor<TqvInplaceMRUEdit> shown;
    TqvInplaceMRUEdit& editor = shown.editor;
    editor.SetMaxItemCount(3);
    for (const char* v : {"a", "b", "c", "a", "d", ""}) editor.AddMRUItem(v);
    EXPECT_THAT(editor.Items(), ElementsAre("d", "a", "c"));
    editor.SetMaxItemCount(2);
    EXPECT_THAT(editor.Items(), ElementsAre("d", "a"));

    // The ellipsis raises OnButtonClick; the button beside it drops the list.
    shown.Show({0, 0, 150, 22});
    int clicks = 0;
    editor.OnButtonClick = [&](TqvInplaceEdit*) { ++clicks; };
    ASSERT_EQ(editor.EditButtons().size(), 2u);
    editor.PressButton(0);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(editor.DroppedDown());
    editor.PressButton(1);
    EXPECT_TRUE(editor.DroppedDown());
    editor.CloseUp(false);
    editor.SetShowEllipsis(false);
    EXPECT_EQ(editor.EditButtons().size(), 1u);
}

TEST(EditButtons, LayoutFromBothEdges)
{
    std::vector<TqvEditButton> buttons(4);
    buttons[1].Visible = false;
    buttons[2].Width = 30;
    buttons[3].LeftAlignment = true;
    QRect text;
    std::vector<QRect> rects = LayoutEditButtons(buttons, QRect(0, 0, 200, 20), text);
    EXPECT_EQ(rects[0], QRect(184, 0, 16, 20));
    EXPECT_TRUE(rects[1].isEmpty()) << "an invisible button takes no room";
    EXPECT_EQ(rects[2], QRect(154, 0, 30, 20));
    EXPECT_EQ(rects[3], QRect(0, 0, 16, 20));
    EXPECT_EQ(text, QRect(16, 0, 138, 20));
    EXPECT_EQ(EditButtonAt(rects, {160, 5}), 2);
    EXPECT_EQ(EditButtonAt(rects, {100, 5}), -1);
    // Too narrow: the buttons never take more than there is.
    rects = LayoutEditButtons(buttons, QRect(0, 0, 20, 20), text);
    EXPECT_GE(text.width(), 0);
}

TEST(ButtonEditor, ButtonsClickKeyAndHiddenCursor)
{
    ShownEditor<TqvInplaceButtonEdit> shown({0, 0, 150, 22});
    TqvInplaceButtonEdit& editor = shown.editor;
    std::vector<int> clicked;
    editor.OnButtonClick = [&](TqvInplaceEdit*, int index) { clicked.push_back(index); };
    std::vector<TqvEditButton> buttons(3);
    buttons[0].Visible = false;
    buttons[2].Default = true;
    editor.SetEditButtons(buttons);
    EXPECT_EQ(editor.DefaultButton(), 2);
    editor.PressButton(1);
    editor.PressButton(0);  // invisible: nothing
    key(editor.LineEdit(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_THAT(clicked, ElementsAre(1, 2));
    editor.SetClickKey(scShift | VK_F2);
    key(editor.LineEdit(), Qt::Key_F2, Qt::ShiftModifier);
    EXPECT_THAT(clicked, ElementsAre(1, 2, 2));
    // The drop-down keys open nothing: the kind has no window.
    key(editor.LineEdit(), Qt::Key_F4);
    EXPECT_FALSE(editor.DroppedDown());

    editor.LoadValue(Variant(AnsiString("abc")));
    editor.SetHideEditCursor(true);
    typeInto(editor, "x");
    EXPECT_EQ(editor.Text(), "abc");
    EXPECT_TRUE(editor.LineEdit()->isReadOnly());
    editor.SetButtonOnly(true);
    EXPECT_EQ(editor.EditButtonRects()[1].width(), editor.width() - 4) << "the button fills the editor";
}

TEST(HyperLinkEditor, StartsThroughTheStarter)
{
    std::vector<std::string> started;
    auto old = SetHyperLinkStarter([&](const AnsiString& link) { started.push_back(link); });
    ShownEditor<TqvInplaceHyperLinkEdit> shown{QRect()};
    TqvInplaceHyperLinkEdit& editor = shown.editor;
    int startClicks = 0;
    editor.OnStartClick = [&](TqvInplaceEdit*) { ++startClicks; };
    editor.LoadValue(Variant(AnsiString("https://example.org/a")));
    key(editor.LineEdit(), Qt::Key_Return, Qt::ControlModifier);
    editor.PassClick({1, 1});  // no SingleClick: a click only places the caret
    editor.SetSingleClick(true);
    editor.PassClick({1, 1});
    editor.SetStartKey(0);
    key(editor.LineEdit(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_THAT(started, ElementsAre("https://example.org/a", "https://example.org/a"));
    EXPECT_EQ(startClicks, 2);
    // The link colour, in the editor and in view data.
    auto data = editor.CreateViewData();
    editor.FillViewData(*data);
    EXPECT_EQ(data->TextColor, clBlue);
    EXPECT_EQ(editor.LineEdit()->palette().color(QPalette::Text), ToQColor(clBlue));
    SetHyperLinkStarter(old);
}

TEST(TimeEditor, FormatsLoadingAndStepping)
{
    struct Case {
        const char* why;
        TqvTimeEditFormat format;
        Variant loaded;
        int caret;
        int qtKey;
        const char* text;
    } cases[] = {
        {"a date-time's time of day", tfHourMinSec, Variant::FromDateTime(45000.75), 0, 0, "18:00:00"},
        {"a short text", tfHourMinSec, Variant(AnsiString("9:5")), 0, 0, "09:05:__"},
        {"hours and minutes", tfHourMin, Variant(AnsiString("10:30:15")), 0, 0, "10:30"},
        {"Up steps the hour under the caret", tfHourMinSec, Variant(AnsiString("10:30:00")), 1, Qt::Key_Up, "11:30:00"},
        {"Up steps the minute", tfHourMinSec, Variant(AnsiString("10:59:00")), 4, Qt::Key_Up, "10:00:00"},
        {"Down goes round the day", tfHourMin, Variant(AnsiString("00:10")), 0, Qt::Key_Down, "23:10"},
        {"blank parts count as 0", tfHourMinSec, Variant::Null(), 7, Qt::Key_Up, "00:00:01"},
    };
    for (const Case& c : cases) {
        TqvInplaceTimeEdit editor(nullptr);
        editor.SetTimeEditFormat(c.format);
        editor.LoadValue(c.loaded);
        if (c.qtKey) {
            editor.SetSelection(c.caret, 0);
            key(editor.LineEdit(), c.qtKey);
        }
        EXPECT_EQ(editor.Text(), c.text) << c.why;
    }
    TqvInplaceTimeEdit editor(nullptr);
    EXPECT_TRUE(editor.EditingValue().IsNull()) << "all blank reads back as null";
    Beeps beeps;
    editor.LoadValue(Variant(AnsiString("25:00:00")));
    editor.SetModified(true);
    EXPECT_THROW(editor.ValidateText(), EqvEditInvalidInput);
    editor.LoadValue(Variant(AnsiString("23:59:59")));
    editor.SetModified(true);
    EXPECT_NO_THROW(editor.ValidateText());
}

TEST(MemoEditor, ReturnsTabsLineEndsAndWrapping)
{
    ShownEditor<TqvInplaceMemoEdit> shown({0, 0, 150, 60});
    TqvInplaceMemoEdit& editor = shown.editor;
    editor.LoadValue(Variant(AnsiString("one\r\ntwo")));
    EXPECT_EQ(editor.Memo()->toPlainText(), "one\ntwo");
    EXPECT_EQ(editor.Text(), "one\r\ntwo") << "line ends come back as loaded";
    editor.Memo()->moveCursor(QTextCursor::End);
    key(editor.Memo(), Qt::Key_Return);
    key(editor.Memo(), Qt::Key_Tab);
    key(editor.Memo(), Qt::Key_X, Qt::NoModifier, "x");
    EXPECT_EQ(editor.Text(), "one\r\ntwo\r\nx");
    EXPECT_TRUE(editor.Modified());
    editor.SetWantTabs(true);
    key(editor.Memo(), Qt::Key_Tab);
    editor.SetWantReturns(false);
    key(editor.Memo(), Qt::Key_Return);
    EXPECT_EQ(editor.Text(), "one\r\ntwo\r\nx\t");
    editor.SetReadOnly(true);
    key(editor.Memo(), Qt::Key_Y, Qt::NoModifier, "y");
    key(editor.Memo(), Qt::Key_Backspace);
    EXPECT_EQ(editor.Text(), "one\r\ntwo\r\nx\t");

    editor.SetWordWrap(false);
    EXPECT_EQ(editor.Memo()->lineWrapMode(), QPlainTextEdit::NoWrap);
    editor.SetScrollBars(sbsVertical);
    EXPECT_EQ(editor.Memo()->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_EQ(editor.Memo()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    editor.SetHideScrollBars(false);
    EXPECT_EQ(editor.Memo()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(TqvInplaceMemoEdit::FirstLine("a\r\nb"), "a");
}

TEST(ImageEditor, ValuesPicturesAndThePopup)
{
    std::vector<QPixmap> images;
    for (Qt::GlobalColor c : {Qt::red, Qt::green, Qt::blue}) {
        QPixmap p(8, 8);
        p.fill(c);
        images.push_back(p);
    }
    // ImageIndexes picks the picture of each value; without it, the position.
    EXPECT_EQ(TqvInplaceImageEdit::PictureOf(1, {}, images), &images[1]);
    EXPECT_EQ(TqvInplaceImageEdit::PictureOf(0, {"2", "0"}, images), &images[2]);
    EXPECT_EQ(TqvInplaceImageEdit::PictureOf(0, {"x"}, images), nullptr);
    EXPECT_EQ(TqvInplaceImageEdit::PictureOf(5, {}, images), nullptr);
    EXPECT_EQ(TqvInplaceImageEdit::PictureOf(-1, {}, images), nullptr);

    ShownEditor<TqvInplaceImageEdit> shown({0, 0, 150, 22});
    TqvInplaceImageEdit& editor = shown.editor;
    editor.SetValues({"A", "B", "C"});
    editor.SetDescriptions({"Apple", "Berry", "Cherry"});
    editor.SetImages(images);
    editor.LoadValue(Variant(AnsiString("Z")));
    EXPECT_EQ(editor.ItemIndex(), -1);
    EXPECT_EQ(editor.EditingValue(), Variant(AnsiString("Z"))) << "an unknown value is kept";
    editor.Activate();
    typeInto(editor, "c");
    EXPECT_EQ(editor.Text(), "C") << "typing goes to the description";
    editor.PassClick({5, 5});
    ASSERT_TRUE(editor.DroppedDown()) << "the first click opens the pictures";
    EXPECT_EQ(editor.List()->count(), 3);
    EXPECT_EQ(editor.List()->currentRow(), 2);
    editor.List()->setCurrentRow(1);
    key(editor.List(), Qt::Key_Return);
    EXPECT_FALSE(editor.DroppedDown());
    EXPECT_EQ(editor.EditingValue(), Variant(AnsiString("B")));
    EXPECT_TRUE(editor.Modified());
}

}  // namespace

namespace {

TEST(SpinEditor, AHeldButtonRepeatsItsStep)
{
    ShownEditor<TqvInplaceSpinEdit> shown({0, 0, 100, 22});
    TqvInplaceSpinEdit& editor = shown.editor;
    ASSERT_FALSE(editor.UpButton().isEmpty());
    auto mouse = [&](QEvent::Type type, QPoint at) {
        QMouseEvent e(type, at, editor.mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&editor, &e);
    };
    mouse(QEvent::MouseButtonPress, editor.UpButton().center());
    EXPECT_EQ(editor.Text(), "1") << "a press steps at once";
    ASSERT_NE(editor.RepeatTimer(), nullptr);
    EXPECT_TRUE(editor.RepeatTimer()->isActive());
    EXPECT_EQ(editor.RepeatTimer()->interval(), 100);
    editor.RepeatTick();
    editor.RepeatTick();
    EXPECT_EQ(editor.Text(), "3");
    mouse(QEvent::MouseButtonRelease, editor.UpButton().center());
    EXPECT_FALSE(editor.RepeatTimer()->isActive());
    editor.RepeatTick();  // a tick that was already queued does nothing
    EXPECT_EQ(editor.Text(), "3");
    mouse(QEvent::MouseButtonPress, editor.DownButton().center());
    editor.RepeatTick();
    mouse(QEvent::MouseButtonRelease, editor.DownButton().center());
    EXPECT_EQ(editor.Text(), "1");
    EXPECT_TRUE(editor.Modified());
}

}  // namespace

namespace {

TEST(Calculator, KeysLeftToRight)
{
    struct Case {
        const char* keys;
        int precision;
        const char* display;
        bool error;
    } cases[] = {
        {"12+3=", 13, "15", false},
        {"2+3*4=", 13, "20", false},  // no precedence, as on a pocket calculator
        {"10/4=", 13, "2.5", false},
        {"9-12=", 13, "-3", false},
        {"5+=", 13, "10", false},
        {"1.5.2", 13, "1.52", false},  // a second point is refused
        {"12345", 3, "123", false},    // no more digits than the precision
        {"1/3=", 4, "0.3333", false},
        {"7/0=", 13, "Error", true},
        {"7/0=C", 13, "0", false},
        {"7/0=5+", 13, "Error", true},  // only C leaves the error
    };
    for (const Case& c : cases) {
        TqvCalculator calc;
        calc.SetPrecision(c.precision);
        for (const char* k = c.keys; *k; ++k) calc.Key(*k);
        EXPECT_EQ(calc.Display(), c.display) << c.keys;
        EXPECT_EQ(calc.Error(), c.error) << c.keys;
    }
}

TEST(CalcEditor, TheResultBecomesTheValue)
{
    Beeps beeps;
    ShownEditor<TqvInplaceCalcEdit> shown({0, 0, 120, 22});
    TqvInplaceCalcEdit& editor = shown.editor;
    editor.LoadValue(Variant(AnsiString("40")));
    editor.Activate();
    editor.DropDown();
    ASSERT_TRUE(editor.DroppedDown());
    EXPECT_EQ(editor.Calculator()->DisplayWidget()->text(), "40") << "it starts from the editor's number";
    for (const char* k : {"+", "2"}) key(editor.Calculator(), 0, Qt::NoModifier, k);
    key(editor.Calculator(), Qt::Key_Return);
    EXPECT_FALSE(editor.DroppedDown());
    EXPECT_EQ(editor.Text(), "42");
    EXPECT_TRUE(editor.Modified());
    // Esc leaves the value; an error beeps only with BeepOnError.
    editor.DropDown();
    for (const char* k : {"/", "0", "="}) key(editor.Calculator(), 0, Qt::NoModifier, k);
    EXPECT_EQ(beeps.count, 1);
    key(editor.Calculator(), Qt::Key_Escape);
    EXPECT_EQ(editor.Text(), "42");
    editor.SetBeepOnError(false);
    editor.DropDown();
    for (const char* k : {"/", "0", "="}) key(editor.Calculator(), 0, Qt::NoModifier, k);
    EXPECT_EQ(beeps.count, 1);
    key(editor.Calculator(), Qt::Key_Return);  // an error is not taken
    EXPECT_EQ(editor.Text(), "42");
    // Typing into the editor takes only what a number is made of.
    typeInto(editor, "x");
    EXPECT_EQ(beeps.count, 2);
}

TEST(BlobEditor, ThePopupMemoEditsTheText)
{
    ShownEditor<TqvInplaceBlobEdit> shown({0, 0, 120, 22});
    TqvInplaceBlobEdit& editor = shown.editor;
    editor.LoadValue(Variant(AnsiString("line one\r\nline two")));
    editor.Activate();
    editor.PassClick({3, 3});
    ASSERT_TRUE(editor.DroppedDown()) << "the first click opens the memo";
    EXPECT_EQ(editor.PopupMemo()->toPlainText(), "line one\nline two");
    EXPECT_GE(editor.Popup()->width(), 200);
    editor.PopupMemo()->moveCursor(QTextCursor::End);
    key(editor.PopupMemo(), Qt::Key_Return);  // a new line, not a close
    EXPECT_TRUE(editor.DroppedDown());
    editor.PopupMemo()->insertPlainText("three");
    key(editor.PopupMemo(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_FALSE(editor.DroppedDown());
    EXPECT_EQ(editor.Text(), "line one\r\nline two\r\nthree") << "line ends kept as loaded";
    EXPECT_TRUE(editor.Modified());

    editor.DropDown();
    editor.PopupMemo()->setPlainText("gone");
    key(editor.PopupMemo(), Qt::Key_Escape);
    EXPECT_EQ(editor.Text(), "line one\r\nline two\r\nthree");

    editor.SetMemoMaxLength(4);
    editor.DropDown();
    editor.PopupMemo()->setPlainText("abcdef");
    editor.CloseUp(true);
    EXPECT_EQ(editor.Text(), "abcd");

    editor.SetReadOnly(true);
    editor.DropDown();
    key(editor.PopupMemo(), Qt::Key_Z, Qt::NoModifier, "z");
    editor.CloseUp(true);
    EXPECT_EQ(editor.Text(), "abcd");

    // The icon tells an empty value from a filled one.
    auto icon = [](bool filled) {
        QImage image(20, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        TqvInplaceBlobEdit::PaintBlobIcon(p, image.rect(), filled);
        return image;
    };
    EXPECT_NE(icon(true), icon(false));
}

}  // namespace

namespace {

AnsiString pngBytes(QSize size, Qt::GlobalColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return AnsiString(data.constData(), static_cast<size_t>(data.size()));
}

TEST(GraphicEditor, ClipboardFilesAndToolbar)
{
    QTemporaryDir dir;
    ShownEditor<TqvInplaceGraphicEdit> shown;
    TqvInplaceGraphicEdit& editor = shown.editor;
    AnsiString red = pngBytes({10, 10}, Qt::red);
    editor.LoadValue(Variant(red));
    EXPECT_EQ(editor.Picture().size(), QSize(10, 10));
    EXPECT_EQ(editor.EditingValue(), Variant(red)) << "the bytes as loaded, not re-encoded";

    editor.CopyToClipboard();
    editor.DeletePicture();
    EXPECT_TRUE(editor.EditingValue().IsNull());
    EXPECT_TRUE(editor.Modified());
    editor.PasteFromClipboard();
    EXPECT_EQ(editor.Picture().toImage().pixelColor(5, 5), QColor(Qt::red));

    // Load and save through the file-name hook; a file that is no picture is refused.
    QString saved = dir.filePath("saved.png"), junk = dir.filePath("junk.png");
    {
        QFile f(junk);
        f.open(QIODevice::WriteOnly);
        f.write("not a picture");
    }
    std::vector<bool> asked;
    QString answer = saved;
    auto old = SetGraphicFileNameHook([&](bool save) {
        asked.push_back(save);
        return answer;
    });
    editor.LoadValue(Variant(red));
    editor.Save();
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), red);
    answer = junk;
    EXPECT_THAT([&] { editor.Load(); },
                ::testing::ThrowsMessage<EqvEditInvalidInput>(::testing::HasSubstr("Not a picture")));
    EXPECT_EQ(editor.EditingValue(), Variant(red)) << "a refused file leaves the picture";
    answer.clear();
    editor.Load();  // cancelled
    EXPECT_EQ(editor.EditingValue(), Variant(red));
    EXPECT_THAT(asked, ElementsAre(true, false, false));
    SetGraphicFileNameHook(old);

    // The toolbar's delete.
    shown.Show();
    editor.ShowToolBar();
    ASSERT_TRUE(editor.ToolBar()->isVisible());
    EXPECT_EQ(editor.ToolBar()->findChildren<QToolButton*>().size(), 6);
    editor.ToolBar()->findChild<QToolButton*>("delete")->click();
    EXPECT_FALSE(editor.ToolBar()->isVisible());
    EXPECT_TRUE(editor.EditingValue().IsNull());
}

TEST(GraphicEditor, CenterAndStretch)
{
    QPixmap picture(10, 10);
    picture.fill(Qt::red);
    struct Case {
        bool center, stretch;
        QRect red;  // where the picture lands in a 40 × 20 rectangle
    } cases[] = {
        {true, true, {10, 0, 20, 20}},
        {false, true, {0, 0, 20, 20}},
        {true, false, {15, 5, 10, 10}},
        {false, false, {0, 0, 10, 10}},
    };
    for (const Case& c : cases) {
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        TqvInplaceGraphicEdit::PaintGraphic(p, image.rect(), picture, c.center, c.stretch);
        p.end();
        QRect red;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x)
                if (image.pixelColor(x, y) == QColor(Qt::red)) red |= QRect(x, y, 1, 1);
        EXPECT_EQ(red, c.red) << c.center << c.stretch;
    }
}

}  // namespace
