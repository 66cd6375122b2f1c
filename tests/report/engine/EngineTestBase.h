#pragma once
// Reports built from data in tests: a fresh SQLite database (alias "qdb"),
// templates made in code on an A4 page with 20-unit margins, the virtual
// printer, message boxes recorded, and the prepared pages read back as the
// views each page holds (name, position, text).

#include "TestDatabase.h"

#include "support/ScriptedDialogs.h"
#include "report/data/DBDataSet.h"
#include "report/draw/DrawState.h"
#include "report/language/Globals.h"
#include "report/model/BandView.h"
#include "report/model/MemoView.h"
#include "report/model/Report.h"
#include "report/pages/EMFPages.h"
#include "report/printer/Printer.h"
#include "report/printer/QtPrinterPlatform.h"
#include "runtime/db/DataSource.h"
#include "runtime/db/Query.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct PrintedView {
    std::string name;
    int left = 0, top = 0;
    std::string text;  // the lines joined by "|"
    int width = 0, height = 0;
};
using PrintedPage = std::vector<PrintedView>;

class EngineTest : public ::testing::Test {
public:  // case tables change reports through lambdas
    EngineTest() : db_(TestEngine::SQLite, false), form_(new TComponent)
    {
        rqPrinter().AssignPrinter(nullptr);
        report_ = new TrqReport(form_.get());
        report_->SetName("Report1");
        report_->SetShowProgress(false);
        TrqPage& page = Page();
        page.LeftMargin = page.TopMargin = page.RightMargin = page.BottomMargin = Margin;
    }
    ~EngineTest() override
    {
        form_.reset();
        rqVariables().Clear();
        rqDrawState() = TrqDrawState();
        rqPrinter().AssignPrinter(CreateQtPrinterPlatform());
    }

    static constexpr int Margin = 20;
    // Where bands may go on the page: from the top margin to the bottom one.
    int Top() const { return Margin; }
    int Bottom() const { return Page().PrnInfo.PaperHeightUnits - Margin; }
    // The template page (a build reloads the template: pages and views are new afterwards).
    TrqPage& Page() const { return *report_->Pages()[0]; }
    TrqView& View(const char* name) const { return *report_->FindObject(name); }
    // The page that Band and Memo add to from now on (made with the same
    // margins when it does not exist yet).
    void OnPage(int index)
    {
        while (report_->Pages().Count() <= index) {
            TrqPage& page = *report_->Pages().Add();
            page.LeftMargin = page.TopMargin = page.RightMargin = page.BottomMargin = Margin;
        }
        target_ = index;
    }

    // ---- data ----------------------------------------------------------
    void Exec(const std::string& sql) { db_.Exec(sql); }
    // Table T(N, G1, G2, V) with rows 1..count: G1 = (N-1)/groupSize1, G2 = (N-1)/groupSize2, V = N.
    void Numbers(int count, const char* table = "T")
    {
        Exec(std::string("CREATE TABLE ") + table + " (N INTEGER, G1 INTEGER, G2 INTEGER, V DOUBLE, S VARCHAR(20))");
        for (int n = 1; n <= count; ++n)
            Exec(std::string("INSERT INTO ") + table + " VALUES (" + std::to_string(n) + "," +
                 std::to_string((n - 1) / 6) + "," + std::to_string((n - 1) / 3) + "," + std::to_string(n) + ",'r" +
                 std::to_string(n) + "')");
    }
    // A query of the form (owner of the report), not yet opened.
    TQuery* Query(const char* name, const std::string& sql, TComponent* owner = nullptr)
    {
        auto* q = new TQuery(owner ? owner : form_.get());
        q->SetName(name);
        q->SetDatabaseName("qdb");
        q->SQL().SetText(sql);
        return q;
    }
    TrqDBDataSet* Dataset(const char* name, TDataSet* dataSet)
    {
        auto* ds = new TrqDBDataSet(form_.get());
        ds->SetName(name);
        ds->SetDataSet(dataSet);
        return ds;
    }

    // ---- template ------------------------------------------------------
    TrqBandView& Band(int kind, const char* name, int top, int height, const char* source = "")
    {
        auto view = std::make_unique<TrqBandView>();
        view->SetBandType(kind);
        view->Name = name;
        view->Left = 0;
        view->Top = top;
        view->Width = 700;
        view->Height = height;
        view->FormatText = source;
        return static_cast<TrqBandView&>(*report_->Pages()[target_]->Add(std::move(view)));
    }
    TrqMemoView& Memo(const char* name, int left, int top, std::vector<std::string> lines, int width = 100,
                      int height = 18)
    {
        auto view = std::make_unique<TrqMemoView>();
        view->Name = name;
        view->Left = left;
        view->Top = top;
        view->Width = width;
        view->Height = height;
        view->Flags = 0;
        for (const std::string& line : lines) view->Memo.Add(line);
        return static_cast<TrqMemoView&>(*report_->Pages()[target_]->Add(std::move(view)));
    }
    void Script(TrqView& view, std::vector<std::string> lines)
    {
        view.Script.Clear();
        for (const std::string& line : lines) view.Script.Add(line);
    }

    // ---- building ------------------------------------------------------
    bool Prepare() { return report_->PrepareReport(); }
    std::vector<PrintedPage> Pages()
    {
        std::vector<PrintedPage> out;
        TrqEMFPages& pages = report_->EMFPages();
        for (int i = 0; i < pages.Count(); ++i) {
            TrqPage page(nullptr);
            TMemoryStream scratch;
            ReadPreparedViews(pages.ReadStream(i, scratch), page, false);
            PrintedPage printed;
            for (int j = 0; j < page.Count(); ++j) {
                TrqView& v = *page.Objects(j);
                std::string text;
                for (int k = 0; k < v.Memo.Count(); ++k) text += (k ? "|" : "") + v.Memo[k];
                printed.push_back({v.Name, v.Left, v.Top, text, v.Width, v.Height});
            }
            out.push_back(std::move(printed));
        }
        return out;
    }
    // The texts of the views of that name, page by page, in print order.
    std::vector<std::string> Texts(const std::string& name)
    {
        std::vector<std::string> texts;
        for (const PrintedPage& page : Pages())
            for (const PrintedView& v : page)
                if (v.name == name) texts.push_back(v.text);
        return texts;
    }
    // The first message box of the build (its error), or "".
    std::string Message() const { return dialogs_.Texts().empty() ? std::string() : std::string(dialogs_.Texts()[0]); }
    // Every printed text of a page, in print order.
    static std::vector<std::string> TextsOf(const PrintedPage& page)
    {
        std::vector<std::string> texts;
        for (const PrintedView& v : page) texts.push_back(v.text);
        return texts;
    }

    TestDatabase db_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<TComponent> form_;
    TrqReport* report_ = nullptr;
    int target_ = 0;
};
