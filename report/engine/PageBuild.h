#pragma once
// TrqPageBuild: what the band engine keeps for one template page while a
// report is built: its bands, where the next band goes (CurY, in 64 bits: a
// long report sums many heights), the bottom limit, page columns, the bands
// waiting to print together, and the band actions recorded while the page is
// collected as a sub-report.

#include "report/engine/Band.h"
#include "report/model/Page.h"

#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

struct TrqPageBuild {
    explicit TrqPageBuild(TrqPage& page) : Page(page) {}

    TrqPage& Page;
    std::vector<std::unique_ptr<TrqBand>> Bands;
    std::array<TrqBand*, BandTypeCount> Chains{};  // first band of each kind
    // Views that lie in a cross band (they are also printed by a horizontal band).
    std::unordered_map<const TrqView*, TrqBand*> CrossBandOf;
    TStringList Script;  // the page's script, compiled
    bool ScriptCompiled = false;

    // Collect mode: FormPage records what it would print (a sub-report page).
    enum class Action : uint8_t { ShowBand, FirstRecord, NextRecord };
    struct Collected {
        TrqBand* Band;
        Action What;
    };
    bool Collect = false;
    std::vector<Collected> Recorded;
    size_t PlayFrom = 0;
    TrqBand* LastBand = nullptr;
    // While replayed: bands shown from scripts print at once instead of being
    // recorded; the page is done when its records are; the band waiting for
    // the next page has run its script already.
    bool Replaying = false;
    bool SubDone = false;
    bool ScriptRan = false;

    int64_t CurY = 0;
    int64_t Bottom = 0;  // bands must not pass it
    int CurColumn = 0;
    int Columns = 1;
    int32_t ColumnWidth = 0;
    int64_t ColumnShift = 0;
    int64_t LastStaticColumnY = 0;
    int ColumnNo = 1;   // COLUMN#
    int CurrentNo = 1;  // CURRENT#
    TrqBand* WasBand = nullptr;
    bool DisableRepeatHeader = false;
    int WidestCrossRow = 0;  // columns of the widest cross-tab row so far
    std::vector<TrqBand*> Pending;

    TrqBand* Chain(int kind) const { return Chains[static_cast<size_t>(kind)]; }
    // The band of a kind that prints (defined, or None holding stray views).
    TrqBand* Shown(int kind) const
    {
        TrqBand* b = Chain(kind);
        return b && (b->Defined() || !b->Objects.empty()) ? b : nullptr;
    }
};
