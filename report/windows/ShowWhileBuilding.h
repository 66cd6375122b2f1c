#pragma once
// ShowReport of a report with ProgressivePreview: the preview window opens as
// soon as the first pages are finished, and the build goes on while the user
// looks at them, so that a report of many thousand pages shows its first page
// at once.
//
// How it runs: the build reports finished pages (TrqReport::OnPagesFinished);
// at the first report the window opens modal to the application without a
// loop of its own (OpenModal), and at every report the window lays the new
// pages out now and then and the pending events are let through, so that the
// window paints, scrolls and zooms. Closing the window stops the build
// (Terminated). When the build is over the window takes the pages and runs its
// modal loop until it is closed (FinishModal).
//
// Rules that are easy to break:
// - The report's OnPagesFinished and ShowProgress are the caller's again when
//   this returns; a handler of its own is still called, first.
// - Events let through may paint prepared pages, which makes their views the
//   report's current page; the template page being built is made current
//   again before the build goes on.
// - A report that finishes before its first page is reported (one or two
//   pages) is shown the ordinary way.

class TrqReport;

void ShowReportWhileBuilding(TrqReport& report);
