#pragma once
// The audit window as showdll sets it up, on the sample documents of a real
// database: the data module, the window shown (so its show handler has opened
// the data), message boxes recorded instead of shown.
//
// Company C1 lists, in this order: 103 (not audited, no lines), 102 (audited)
// and 101 (not audited, lines P1, P2 and P3; document date 2003-03-10 10:00).

#include "support/ScriptedDialogs.h"
#include "TestDatabase.h"

#include "data/Params.h"
#include "data/Tdm.h"
#include "grid/db/DBGrid.h"
#include "runtime/Application.h"
#include "runtime/ModalDialog.h"
#include "ui/Tfm_date.h"
#include "ui/Tfm_main.h"

#include "runtime/controls/SpeedButton.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

class AuditWindowFixture : public ::testing::TestWithParam<TestEngine> {
protected:
    void SetUp() override
    {
        db = std::make_unique<TestDatabase>(GetParam());
        InsertSampleDocuments(*db);
        Params = {"C1", "", "A01", Ansi(u8"审核员"), "2003-03-11 09:00:00", "W", "", "", "466", "800", "0", "0"};
    }
    void TearDown() override
    {
        Close();
        Application().SetOnException({});
    }

    // Creates the data module and the window and shows it.
    void Open()
    {
        Create();
        Show();
    }
    void Create()
    {
        dataModule = std::make_unique<Tdm>();
        dm = dataModule.get();
        window = std::make_unique<Tfm_main>();
        fm_main = window.get();
        window->resize(1000, 600);
    }
    void Show()
    {
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
    }
    void Close()
    {
        window.reset();
        fm_main = nullptr;
        dataModule.reset();
        dm = nullptr;
    }

    // A left click on a toolbar button, as the mouse gives it (a disabled
    // button takes no click).
    static void Press(TSpeedButton* button)
    {
        QPointF at = QRectF(button->rect()).center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, button->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(button, &event);
        }
    }

    // Moves the header query to the document with that number.
    void GoToDocument(double number)
    {
        ASSERT_TRUE(dm->qry_xstgjfp1->Locate("DHAO00", Variant(number)));
    }

    // Runs `command` (which opens the audit-date dialog) and `inDialog` on the
    // dialog, shown; a dialog that `inDialog` leaves open is cancelled.
    void WithDateDialog(const std::function<void()>& command, const std::function<void(Tfm_date&)>& inDialog)
    {
        bool seen = false;
        ModalHook previous = SetModalHook([&](QDialog& d) {
            auto* dialog = dynamic_cast<Tfm_date*>(&d);
            if (!dialog) return static_cast<int>(QDialog::Rejected);
            seen = true;
            dialog->show();
            inDialog(*dialog);
            if (dialog->isVisible()) dialog->reject();
            return dialog->result();
        });
        command();
        SetModalHook(std::move(previous));
        EXPECT_TRUE(seen) << "the audit-date dialog did not open";
    }

    // The message boxes shown, as UTF-8.
    std::vector<std::string> Messages() const
    {
        std::vector<std::string> texts;
        for (const AnsiString& t : dialogs.Texts()) texts.push_back(AnsiToUtf8(t));
        return texts;
    }

    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<Tdm> dataModule;
    std::unique_ptr<Tfm_main> window;
    ScriptedDialogs dialogs;
};

#define INSTANTIATE_ON_BOTH_ENGINES(suite)                                                                  \
    INSTANTIATE_TEST_SUITE_P(Engines, suite, ::testing::Values(TestEngine::SQLite, TestEngine::PostgreSQL), \
                             [](const auto& info) { return std::string(EngineName(info.param)); })
