#pragma once
// TrqBand: a band of a template page as the band engine prints it, made from
// a band view when a build starts and freed when it ends. It holds the views it
// prints (their Top relative to the band), its links to the bands it works
// with (chain, header, footer, groups, child), its report dataset, its
// counters and the accumulators of the aggregates that total its records.
//
// Rules that are easy to break:
// - Every page has one band per kind from the start; a band without a view is
//   not defined: it prints nothing but the views that lie outside every band
//   (kind None).
// - Freeing a band closes its report dataset, and frees it when the band made
//   it (a record count); the view hears that its runtime band is gone.
// - Scripts see the band through its view while building: LEFT, TOP, WIDTH,
//   HEIGHT and VISIBLE are the band's, EOF its dataset's end, NEXT, PRIOR and
//   FIRST move its dataset, BREAKED, CHILDBAND, CONDITION and DATASOURCE change
//   the band as well as the view.

#include "report/data/ReportDataset.h"
#include "report/engine/Aggregates.h"
#include "report/model/BandView.h"
#include "runtime/StringList.h"

#include <cstdint>
#include <memory>
#include <vector>

class TrqReportBuilder;
struct TrqPageBuild;

inline bool IsDataBandKind(int kind) { return kind == btMasterData || kind == btDetailData || kind == btSubDetailData; }

class TrqBand final : public TrqBandRuntime {
public:
    TrqBand(TrqReportBuilder& builder, TrqPageBuild& page, int kind);
    ~TrqBand() override;
    TrqBand(const TrqBand&) = delete;
    TrqBand& operator=(const TrqBand&) = delete;

    const int Kind;
    TrqPageBuild& PageBuild;
    TrqBandView* View = nullptr;
    AnsiString Name;
    uint16_t Flags = 0;

    // The chain of bands of one kind, ordered by Y; the first knows the last.
    TrqBand* Next = nullptr;
    TrqBand* Prev = nullptr;
    TrqBand* Last = nullptr;
    // Group headers: the other groups of the same data band; data bands: their first and last group.
    TrqBand* NextGroup = nullptr;
    TrqBand* PrevGroup = nullptr;
    TrqBand* FirstGroup = nullptr;
    TrqBand* LastGroup = nullptr;
    TrqBand* Child = nullptr;
    TrqBand* Header = nullptr;    // of a data band
    TrqBand* Footer = nullptr;    // of a data band, or of a group header
    TrqBand* DataBand = nullptr;  // of a header, footer or group header

    std::vector<TrqView*> Objects;
    TStringList Script;  // compiled
    int64_t X = 0, Y = 0;
    int32_t Width = 0, Height = 0;
    int64_t CalculatedHeight = -1;
    int64_t MaxHeight = 0;
    bool Visible = true;
    bool Stretched = false;
    bool PageBreak = false;
    bool NewPageAfter = false;
    bool PrintIfSubsetEmpty = false;
    bool PrintChildIfInvisible = false;

    // Group headers: the condition in postfix form and its value when the group started.
    bool HasCondition = false;
    AnsiString Condition;
    Variant GroupValue;

    int Line = 1;
    int LineThrough = 1;
    int BandColumn = 1;
    int64_t SavedColumnShift = 0;

    // Break requests of the script run last (NEWPAGE, NEWCOLUMN), and whether
    // the script also set CURY, which then holds across those breaks.
    int NewPageRequests = 0;
    int NewColumnRequests = 0;
    bool KeepCurY = false;
    // While repeated as a header on a new page its aggregates are not reset.
    bool SuppressReset = false;
    // While a band continues on a new page its script does not run again.
    bool SuppressScript = false;
    // Set while the band is drawn: it is not drawn again from inside (SHOWBAND
    // of itself, a child that names it).
    bool Drawing = false;
    // Holds views that belong to cross bands.
    bool HasCrossCells = false;

    TrqAggregateSet Aggregates;
    TrqBand* AggregateBand = nullptr;  // the data band whose accumulators it prints

    // Sub-reports: the first sub-report view among Objects; the pages being
    // replayed in its place; whether drawing the views last handled them (they
    // then set CurY) and left some of them to go on on a new page.
    int FirstSubReport = -1;
    std::vector<TrqPageBuild*> SubPages;
    bool SubReportsRan = false;
    bool SubReportsUnfinished = false;

    bool Defined() const { return View != nullptr; }
    bool IsDataBand() const { return IsDataBandKind(Kind); }
    bool Flag(uint16_t bit) const { return (Flags & bit) != 0; }

    TrqDataset* Dataset() const { return dataset_; }
    // Closes (and frees, when owned) the dataset held; takes `dataset`, owning
    // it when `owned` holds it, and opens it.
    void SetDataset(TrqDataset* dataset, std::unique_ptr<TrqDataset> owned);
    TrqDataset* CrossDataset() const { return crossDataset_; }
    void SetCrossDataset(TrqDataset* dataset, std::unique_ptr<TrqDataset> owned);
    // Closes and frees both datasets (never throws).
    void ReleaseDatasets();
    // Changes whenever a dataset of the band is replaced or released. A loop
    // over the band's dataset that runs scripts (which may set DATASOURCE and
    // so free it) compares it before touching the dataset again.
    unsigned DatasetGeneration() const { return datasetGeneration_; }

    bool GetRuntimeProperty(const AnsiString& name, Variant& value) override;
    bool SetRuntimeProperty(const AnsiString& name, const Variant& value) override;
    bool CallRuntimeMethod(const AnsiString& name) override;

private:
    TrqReportBuilder& builder_;
    TrqDataset* dataset_ = nullptr;
    std::unique_ptr<TrqDataset> ownedDataset_;
    TrqDataset* crossDataset_ = nullptr;
    std::unique_ptr<TrqDataset> ownedCrossDataset_;
    unsigned datasetGeneration_ = 0;
};
