#pragma once
// A preview window on the offscreen platform for a report of prepared pages,
// on the virtual printer, with the window placement kept in a file of the
// test's own and no modal window ever opening unless a test answers it.

#include "report/draw/DrawState.h"
#include "report/pages/PreparedFixtures.h"
#include "report/printer/Printer.h"
#include "report/printer/QtPrinterPlatform.h"
#include "report/windows/PreviewForm.h"
#include "runtime/ModalDialog.h"
#include "runtime/Settings.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

class PreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        rqPrinter().AssignPrinter(nullptr);
        SetSettingsFile(QStringToAnsi(dir.filePath(QStringLiteral("settings.ini"))));
        TrqPreviewForm::LastZoom = 1.0;
        TrqPreviewForm::LastZoomMode = 0;
        SetModalHook([](QDialog&) {
            ADD_FAILURE() << "a modal window opened that the test did not expect";
            return int(QDialog::Rejected);
        });
        report.SetModalPreview(false);
    }
    void TearDown() override
    {
        delete form.data();
        SetModalHook({});
        SetSettingsFile({});
        rqDrawState() = TrqDrawState();
        rqPrinter().SetJobOverride(nullptr);
        rqPrinter().AssignPrinter(CreateQtPrinterPlatform());
    }

    // Pages of one memo each, the memo holding the given text.
    void addPages(int count, const char* text = "Text")
    {
        for (int i = 0; i < count; ++i) fixtures::AddMemoPage(report, {{40, 40, 300, 20, text}});
    }

    // Shows the report's pages in a window of that size (not maximized).
    TrqPreviewForm& open(int width = 800, int height = 600)
    {
        form = new TrqPreviewForm;
        form->ShowFor(&report, false);
        form->setWindowState(Qt::WindowNoState);
        form->resize(width, height);
        form->show();
        QApplication::processEvents();
        return *form;
    }

    void key(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, qtKey, modifiers);
        QApplication::sendEvent(form->ScrollBox1, &press);
        QApplication::processEvents();
    }

    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QMouseEvent event(type, QPointF(at), QPointF(form->PBox->mapToGlobal(at)), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
        QApplication::sendEvent(form->PBox, &event);
        QApplication::processEvents();
    }

    // Where a point of a page (report units) is in the page area.
    QPoint onPage(int page, int x, int y) const
    {
        const TrqRect& d = (*form->Pages())[page].DisplayRect;
        return {d.Left + form->ContentOffsetX + int(x * form->Zoom), d.Top + form->ContentOffsetY + int(y * form->Zoom)};
    }

    // Answers the next modal window with f (which fills it in) and the result.
    template <class Dialog, class F>
    void answer(F f, int result = QDialog::Accepted)
    {
        SetModalHook([f, result](QDialog& dialog) {
            auto* d = dynamic_cast<Dialog*>(&dialog);
            EXPECT_NE(d, nullptr) << "another window opened: " << dialog.metaObject()->className();
            if (d) f(*d);
            return result;
        });
    }

    int cachedPages() const
    {
        int cached = 0;
        for (int i = 0; i < form->PageCount(); ++i) cached += (*form->Pages())[i].CachedPage ? 1 : 0;
        return cached;
    }

    QTemporaryDir dir;
    TrqReport report;
    QPointer<TrqPreviewForm> form;
};
