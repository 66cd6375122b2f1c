#pragma once
// Add-in views whose text is content, expanded per record like a memo's (a
// barcode's data), and the band engine's check of what such a view is about
// to print: content that the view cannot draw (a barcode its symbology cannot
// encode) is not an error of the build; the view draws a crossed box and the
// build warns on standard error, once for each view and reason.

class TrqView;

// The band engine expands the view's Memo into MemoResult, which the prepared
// page then holds; other non-memo views print their text as it is.
bool ExpandsText(const TrqView& view);

void WarnAboutContent(TrqView& view);
