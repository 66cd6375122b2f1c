#pragma once
// TrqSubReportReplay: sub-reports in a build (SubReports.cpp): the bands of
// another template page collected and then replayed in the place of a
// sub-report view, all sub-reports of a band side by side, going on at the
// top of new pages of the outer page until every one is done.
//
// It also keeps the band that a replay (or a blank row, which prints the same
// way) shows: only that band may give up when it does not fit, and it prints
// anyway when it is the first band on a fresh page.

#include <QScopedValueRollback>

#include <cstddef>

class TrqBand;
class TrqReportBuilder;
class TrqSubReportView;
struct TrqPageBuild;

class TrqSubReportReplay {
public:
    explicit TrqSubReportReplay(TrqReportBuilder& builder) : builder_(builder) {}
    TrqSubReportReplay(const TrqSubReportReplay&) = delete;
    TrqSubReportReplay& operator=(const TrqSubReportReplay&) = delete;

    // Collects the sub-reports of the band from its view `first` on and replays them.
    void Start(TrqBand& band, size_t first);
    // Replays the band's sub-report pages until all are done, starting new
    // pages of the outer page; on a page that is itself a sub-report it stops
    // after one page and leaves the rest to its LastBand. `resume`: the pages
    // go on at the outer page's position (a new page).
    void Run(TrqBand& band, bool resume);

    struct Shown {
        TrqBand* Band = nullptr;
        bool Forced = false;  // prints even when it does not fit
    };
    // `band` is the band shown while the result lives.
    [[nodiscard]] QScopedValueRollback<Shown> Show(TrqBand& band, bool forced)
    {
        return QScopedValueRollback<Shown>(shown_, Shown{&band, forced});
    }
    // The band does not fit where it is: it waits for the next page.
    bool WaitsForNextPage(const TrqBand& band) const { return shown_.Band == &band && !shown_.Forced; }

private:
    // Replays a page's recorded actions; true when all are done. On a fresh
    // page the first band shown prints even when it does not fit; with
    // printAll every band prints where it comes.
    bool replay(TrqPageBuild& sub, bool fresh, bool printAll);
    TrqPageBuild* subReportPage(const TrqSubReportView& view, const TrqPageBuild& parent);

    TrqReportBuilder& builder_;
    Shown shown_;
};
