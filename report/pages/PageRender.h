#pragma once
// Prepared pages as PDF and pictures: every page into a PDF, each PDF page with
// its own paper size and orientation and the text kept as text; one page into
// an image at a zoom (screen pixels per report unit, 1 = 100 %).

#include "report/canvas/Rect.h"
#include "runtime/AnsiString.h"
#include "runtime/Exceptions.h"

class QImage;
class QIODevice;
class TrqEMFPages;
struct TrqPreparedPage;

DECLARE_EXCEPTION(EPageRenderError, Exception)

// Where a page's content goes when its paper is `k` device pixels per report
// unit wide and high: the whole paper, or for a page that is stretched to the
// printable area (UseMargins 0) the printable area less the margins.
TrqRect PageContentRect(const TrqPreparedPage& page, double kx, double ky);

// Writes all pages as one PDF. Raises EPageRenderError when the file cannot
// be written, and the page's error when a page cannot be read.
void RenderPdf(TrqEMFPages& pages, QIODevice& device, const AnsiString& title = {});
void SavePdf(TrqEMFPages& pages, const AnsiString& fileName, const AnsiString& title = {});

// One page (0-based) on white at the zoom. Raises EPageRenderError for a page
// number out of range, a zoom that is not positive, or a picture too large.
QImage RenderPageImage(TrqEMFPages& pages, int index, double zoom);
void SavePagePng(TrqEMFPages& pages, int index, double zoom, const AnsiString& fileName);
