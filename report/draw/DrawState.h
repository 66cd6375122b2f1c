#pragma once
// The engine-wide state that decides how views draw.
//
// In build mode (while a report is built, and while prepared pages are drawn)
// and in preview mode views draw as prepared objects: no fill when FillColor is
// none, no frame without sides, AutoWidth fits a memo to its text, and the
// background covers the view's box. Outside them (a designer's page) a view
// without fill is drawn on white inside its draw rectangle. While drawing is
// disabled (the first pass of a two-pass build) views draw neither background
// nor frame.
//
// Code that draws in build mode for a while sets BuildMode through a
// QScopedValueRollback, so that the former mode comes back on every way out.

#include <functional>

class TrqView;

struct TrqDrawState {
    bool BuildMode = false;
    bool PreviewMode = false;
    bool DrawingDisabled = false;
    // Places a view inside its band by BandAlign; the band engine sets it while
    // it prints. Without it views keep their position.
    std::function<void(TrqView&)> ApplyBandAlign;

    bool Prepared() const { return BuildMode || PreviewMode; }
};

TrqDrawState& rqDrawState();

