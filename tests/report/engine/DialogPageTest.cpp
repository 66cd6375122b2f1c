// Dialog pages: the window with the page's controls is shown before the report
// pages are built, and its answer decides whether the report is built.
#include "EngineTestBase.h"

#include "report/model/AddInRegistry.h"
#include "report/model/Control.h"
#include "report/windows/ProgressForm.h"
#include "runtime/ModalDialog.h"

#include <QDialog>
#include <QLineEdit>

namespace {

// A control of the test's own: a line edit.
class TestEdit : public TrqControl {
public:
    const char* ClassName() const override { return "TTestEdit"; }
    QWidget* Widget() const override { return edit_.get(); }

private:
    std::unique_ptr<QLineEdit> edit_ = std::make_unique<QLineEdit>();
};

// A non-visual component of the test's own.
class TestComponent : public TrqNonVisualControl {
public:
    const char* ClassName() const override { return "TTestComponent"; }
    TComponent* Component() const override { return component_.get(); }

private:
    std::unique_ptr<TComponent> component_ = std::make_unique<TComponent>();
};

// What the hook saw of the window.
struct Shown {
    QString caption;
    QRect editBounds;
    bool progressVisible = true;
};

class DialogPage : public EngineTest {
protected:
    DialogPage()
    {
        RegisterAddIn("TTestEdit", [] { return std::make_unique<TestEdit>(); });
        RegisterAddIn("TTestComponent", [] { return std::make_unique<TestComponent>(); });
        Numbers(3);
        Dataset("Rows", Query("Q", "SELECT * FROM T ORDER BY N"));
        Band(btMasterData, "MasterData1", 40, 20, "Rows");
        Memo("Row", 20, 40, {"[Q.\"N\"]"});
        Band(btPageFooter, "PageFooter1", 900, 20);
        Memo("PageNo", 20, 900, {"[PAGE#]/[TOTALPAGES]"});

        OnPage(1);
        TrqPage& dialog = *report_->Pages()[1];
        dialog.Type = ptDialog;
        dialog.Caption = "Choose";
        dialog.Position = 0;
        dialog.Left = 30, dialog.Top = 40, dialog.Width = 300, dialog.Height = 200;
        auto edit = std::make_unique<TestEdit>();
        edit->Name = "Edit1";
        edit->Left = 10, edit->Top = 12, edit->Width = 120, edit->Height = 24;
        dialog.Add(std::move(edit));
        auto component = std::make_unique<TestComponent>();
        component->Name = "Component1";
        dialog.Add(std::move(component));

        previous_ = SetModalHook([this](QDialog& window) {
            Shown shown;
            shown.caption = window.windowTitle();
            if (auto* edit = window.findChild<QLineEdit*>()) shown.editBounds = edit->geometry();
            shown.progressVisible = rqProgressForm().isVisible();
            shown_.push_back(shown);
            return answer_;
        });
        report_->OnCustomizeObject = [this](TComponent* sender) { customized_.push_back(sender); };
    }
    ~DialogPage() override
    {
        SetModalHook(previous_);
        UnregisterAddIn("TTestEdit");
        UnregisterAddIn("TTestComponent");
    }
    void DialogScript(std::vector<std::string> lines)
    {
        report_->Pages()[1]->Script.Clear();
        for (const std::string& line : lines) report_->Pages()[1]->Script.Add(line);
    }

    ModalHook previous_;
    int answer_ = mrOk;
    std::vector<Shown> shown_;
    std::vector<TComponent*> customized_;
};

TEST_F(DialogPage, TheWindowShowsTheControlsAndItsAnswerDecides)
{
    struct Case {
        const char* why;
        int answer;
        bool built;
    } cases[] = {
        {"OK builds the report", mrOk, true},
        {"Cancel builds nothing", mrCancel, false},
        {"closed without an answer is a cancel", QDialog::Rejected, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        shown_.clear();
        customized_.clear();
        answer_ = c.answer;
        EXPECT_EQ(Prepare(), c.built);
        ASSERT_EQ(shown_.size(), 1u);
        EXPECT_EQ(shown_[0].caption, "Choose");
        EXPECT_EQ(shown_[0].editBounds, QRect(10, 12, 120, 24));
        EXPECT_EQ(customized_.size(), 1u) << "the non-visual component goes to OnCustomizeObject";
        EXPECT_EQ(report_->EMFPages().Count(), c.built ? 1 : 0);
        if (c.built) {
            EXPECT_EQ(Texts("Row"), (std::vector<std::string>{"1", "2", "3"}));
        }
        EXPECT_TRUE(dialogs_.Calls().empty());
    }
}

TEST_F(DialogPage, AResultSetByTheScriptSkipsTheWindow)
{
    struct Case {
        const char* script;
        bool built;
    } cases[] = {
        {"MODALRESULT := 1", true},
        {"MODALRESULT := 2", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        shown_.clear();
        DialogScript({c.script});
        EXPECT_EQ(Prepare(), c.built);
        EXPECT_TRUE(shown_.empty());
        EXPECT_EQ(report_->EMFPages().Count(), c.built ? 1 : 0);
    }
}

TEST_F(DialogPage, TheSecondPassDoesNotAskAgain)
{
    report_->SetTwoPass(true);
    ASSERT_TRUE(Prepare()) << Message();
    EXPECT_EQ(shown_.size(), 1u);
    EXPECT_EQ(Texts("PageNo"), std::vector<std::string>{"1/1"});
}

TEST_F(DialogPage, TheProgressWindowMakesWayForTheDialog)
{
    report_->SetShowProgress(true);
    ASSERT_TRUE(Prepare()) << Message();
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_FALSE(shown_[0].progressVisible);
    EXPECT_EQ(Texts("Row"), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_FALSE(rqProgressForm().isVisible());
}

TEST_F(DialogPage, AnErrorInTheActivationScriptFailsTheBuildWithoutTheWindow)
{
    DialogScript({"X := NOSUCHTHING"});
    EXPECT_FALSE(Prepare());
    EXPECT_TRUE(shown_.empty());
    EXPECT_EQ(report_->EMFPages().Count(), 0);
    EXPECT_NE(Message().find("NOSUCHTHING"), std::string::npos) << Message();
}

TEST_F(DialogPage, WithoutVisibleControlsOnlyTheScriptRuns)
{
    report_->Pages()[1]->Delete(0);  // the edit: only the non-visual component is left
    DialogScript({"BEGIN MODALRESULT := 2; SEEN := 1 END"});
    ASSERT_TRUE(Prepare()) << Message();
    EXPECT_TRUE(shown_.empty());
    EXPECT_EQ(rqVariables().GetVariable("SEEN").AsInteger(), 1);
    EXPECT_EQ(customized_.size(), 1u);
    EXPECT_EQ(report_->EMFPages().Count(), 1);
}

}  // namespace
