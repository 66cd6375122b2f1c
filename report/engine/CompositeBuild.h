#pragma once
// TrqCompositeParts: a composite report's build (CompositeBuild.cpp): each
// report of Reports, in order, walks its pages into the composite's prepared
// pages, once or once per record of the composite's Dataset. Each part is a
// build of its own (TrqReportBuilder) that takes the run state before it
// builds and hands it back afterwards.
//
// Rules that are easy to break:
// - A composite that contains itself, directly or through its parts, is an
//   error, not a recursion.
// - The parts go (their bands first) before the templates are reloaded.

#include <memory>
#include <vector>

class TrqCompositeReport;
class TrqReport;
class TrqReportBuilder;

class TrqCompositeParts {
public:
    explicit TrqCompositeParts(TrqReportBuilder& builder);
    // The parts of a part: the reports it is part of, outermost first, end with `parent`.
    TrqCompositeParts(TrqReportBuilder& builder, const TrqCompositeParts& outer, const TrqReport& parent);
    ~TrqCompositeParts();
    TrqCompositeParts(const TrqCompositeParts&) = delete;
    TrqCompositeParts& operator=(const TrqCompositeParts&) = delete;

    // The reports whose templates the build saves and reloads: the report
    // itself, or every report a composite builds (each once).
    std::vector<TrqReport*> TemplateReports() const;
    // Replaces the page walk for a composite report.
    void Build(TrqCompositeReport& composite);
    // Frees the builds kept from the first pass for the second.
    void Clear();
    // The next report of the composite continues on this one's last page.
    bool NextAppends() const { return nextAppends_; }

private:
    // One report of the composite, its run state handed over and taken back.
    // `fresh`: its template was just (re)loaded, its aligned views are placed first.
    void buildPart(TrqReportBuilder& part, bool fresh, bool nextAppends);

    TrqReportBuilder& builder_;
    // The reports this build is part of, outermost first.
    std::vector<const TrqReport*> lineage_;
    // The builds of the composite's reports kept from the first pass to the
    // second (by position in Reports; null for one rebuilt each time).
    std::vector<std::unique_ptr<TrqReportBuilder>> parts_;
    bool nextAppends_ = false;
};
