#pragma once
// A template page: its paper and margins (or, for a dialog page, its window),
// its script and its views in drawing order. TrqPages is the report's ordered
// list of pages.
//
// A page lays out its paper on the printer its report holds (TrqReport::
// Printer), never on the engine's printer directly. A page without a report
// (the views of a prepared page read back) has no printer: it keeps the
// paper it is given.

#include "report/model/Object.h"
#include "report/model/PropertyTable.h"
#include "report/model/View.h"
#include "report/printer/Printer.h"

#include <memory>
#include <vector>

class TrqReport;

class TrqPage : public TrqObject {
public:
    explicit TrqPage(TrqReport* report = nullptr);
    ~TrqPage() override;

    TrqReport* Report() const { return report_; }

    // Stored fields.
    AnsiString Name;
    uint8_t Type = ptReport;
    int32_t Size = 9;  // paper code of the printing layer; 256 a custom size
    int32_t PaperWidth = 2100, PaperHeight = 2970;  // tenths of a millimetre
    int32_t LeftMargin = 0, TopMargin = 0, RightMargin = 0, BottomMargin = 0;  // 0: the printer's border
    uint8_t Orientation = poPortrait;
    int32_t PaperBin = -1;  // -1 or 0xFFFF: the printer's default source
    bool PrintToPrevPage = false;
    bool UseMargins = true;
    int32_t Columns = 1;
    int32_t ColumnGap = 0;
    uint8_t BorderStyle = 3;  // dialog window: 3 dialog, 2 sizeable
    AnsiString Caption = "Form";
    int32_t Color = rqclBtnFace;
    int32_t Left = 220, Top = 120, Width = 380, Height = 300;  // dialog window bounds
    uint8_t Position = 4;  // 0 as designed, 4 screen centre
    TStringList Script;

    // Runtime state while building.
    uint8_t Visible = 1;
    bool Skip = false;
    PrinterPageInfo PrnInfo;  // geometry of the page's paper, from the printing layer
    // The page footer band's height while the report is built: the bottom
    // margin in effect leaves room for it then.
    int32_t FooterHeight = 0;

    // The views, in drawing order; the page owns them.
    int Count() const { return static_cast<int>(objects_.size()); }
    TrqView* Objects(int index) const { return objects_.at(static_cast<size_t>(index)).get(); }
    TrqView* Add(std::unique_ptr<TrqView> view);
    // The first view of that name (any letter case), or null.
    TrqView* FindObject(std::string_view name) const;
    void Clear();
    void Delete(int index);

    // Applies the paper to the printing layer and takes back what it made of it
    // (a paper the printer rejects becomes a custom size on the default source);
    // then refreshes PrnInfo.
    void ChangePaper(int32_t size, int32_t width, int32_t height, int32_t bin, uint8_t orientation);
    // Makes the page's paper current in the printing layer and reads its geometry.
    void UpdateGeometry();

    // The margins in effect while building, in report units from the paper's
    // top-left corner (see Page.cpp).
    int32_t LeftMarginInEffect() const;
    int32_t TopMarginInEffect() const;
    int32_t RightMarginInEffect() const;
    int32_t BottomMarginInEffect() const;

    AnsiString ObjectName() const override { return Name; }
    const TrqPropertyTable& Properties() const override;
    // Type and Visible, then a dialog page's window or a report page's paper.
    uint32_t RegisteredGroups() const override;

private:
    TrqReport* report_;
    std::vector<std::unique_ptr<TrqView>> objects_;
};

class TrqPages {
public:
    explicit TrqPages(TrqReport* report) : report_(report) {}

    TrqReport* Report() const { return report_; }
    int Count() const { return static_cast<int>(pages_.size()); }
    TrqPage* Pages(int index) const { return pages_.at(static_cast<size_t>(index)).get(); }
    TrqPage* operator[](int index) const { return Pages(index); }
    void Clear() { pages_.clear(); }
    // Appends a page on the current printer's default paper, portrait, named
    // "Page" and the first free number.
    TrqPage* Add();
    // The same without making up a name (a template reader names its pages itself).
    TrqPage* AddUnnamed();
    void Delete(int index);

private:
    TrqReport* report_;
    std::vector<std::unique_ptr<TrqPage>> pages_;
};
