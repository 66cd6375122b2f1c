#pragma once
// TrqReport: a report component. It owns its template pages and data
// dictionary, reads and writes its template stream (report/stream), and lets
// scripts and expressions reach every page and view by name.
//
// Rules that are easy to break:
// - The model sits below the prepared pages (report/pages): the report owns
//   its TrqEMFPages without knowing the class. The pages layer makes them
//   (EMFPages, ReplaceEMFPages are defined there) and hands the report the
//   way to free them.
// - The engine-wide printer is reached through Printer(), the reference the
//   report takes when it is made; its pages change paper through it.

#include "report/model/DataDictionary.h"
#include "report/model/Page.h"
#include "report/model/ReportTypes.h"
#include "runtime/Component.h"
#include "runtime/Streams.h"
#include "runtime/Variant.h"

#include <functional>
#include <memory>
#include <vector>

class TrqBand;
class TrqDataset;
class TrqEMFPages;
class TrqPreview;
class TStringList;

// A preview window or control that holds a report's prepared pages. The
// report tells it when the report is freed, before the pages go, so that it
// can close or let go of the report; ReportFreed must detach it.
class TrqPreviewLink {
public:
    virtual void ReportFreed() = 0;

protected:
    ~TrqPreviewLink() = default;
};

class TrqReport : public TComponent {
public:
    explicit TrqReport(TComponent* owner = nullptr);
    ~TrqReport() override;
    const char* ClassName() const override { return "TrqReport"; }

    // Published properties.
    TrqDataset* Dataset() const { return dataset_; }
    // Takes any report dataset class (complete at the caller's side); the
    // reference is cleared when that component goes away.
    template <class D>
    void SetDataset(D* dataset)
    {
        setReference(datasetComponent_, dataset);
        dataset_ = dataset;
    }
    int32_t DefaultCopies() const { return defaultCopies_; }
    void SetDefaultCopies(int32_t v) { defaultCopies_ = v; }
    bool DefaultCollate() const { return defaultCollate_; }
    void SetDefaultCollate(bool v) { defaultCollate_ = v; }
    bool GrayedButtons() const { return grayedButtons_; }
    void SetGrayedButtons(bool v) { grayedButtons_ = v; }
    TrqPreviewZoom InitialZoom() const { return initialZoom_; }
    void SetInitialZoom(TrqPreviewZoom v) { initialZoom_ = v; }
    bool MDIPreview() const { return mdiPreview_; }
    void SetMDIPreview(bool v) { mdiPreview_ = v; }
    bool ModalPreview() const { return modalPreview_; }
    void SetModalPreview(bool v) { modalPreview_ = v; }
    bool ModifyPrepared() const { return modifyPrepared_; }
    void SetModifyPrepared(bool v) { modifyPrepared_ = v; }
    TrqPreview* Preview() const { return preview_; }
    template <class P>
    void SetPreview(P* preview)
    {
        setReference(previewComponent_, preview);
        preview_ = preview;
    }
    TrqPreviewButtons PreviewButtons() const { return previewButtons_; }
    void SetPreviewButtons(TrqPreviewButtons v) { previewButtons_ = v; }
    bool PrintIfEmpty() const { return printIfEmpty_; }
    void SetPrintIfEmpty(bool v) { printIfEmpty_ = v; }
    TrqReportType ReportType() const { return reportType_; }
    void SetReportType(TrqReportType v) { reportType_ = v; }
    bool ShowPrintDialog() const { return showPrintDialog_; }
    void SetShowPrintDialog(bool v) { showPrintDialog_ = v; }
    bool ShowProgress() const { return showProgress_; }
    void SetShowProgress(bool v) { showProgress_ = v; }
    bool StoreInDFM() const { return storeInDFM_; }
    void SetStoreInDFM(bool v) { storeInDFM_ = v; }
    const AnsiString& Title() const { return title_; }
    void SetTitle(const AnsiString& v) { title_ = v; }
    // Not stored: ShowReport opens the preview window as soon as the first
    // pages are finished and goes on building while the user looks at them
    // (report/windows/ShowWhileBuilding.cpp). It takes effect for a modal
    // preview window (no Preview control) of a one-pass build; other reports
    // are built whole before they are shown.
    bool ProgressivePreview() const { return progressivePreview_; }
    void SetProgressivePreview(bool v) { progressivePreview_ = v; }

    // Events.
    std::function<void()> OnBeginDoc;
    std::function<void()> OnEndDoc;
    std::function<void(int pgNo)> OnBeginPage;
    std::function<void(int pgNo)> OnEndPage;
    std::function<void(TrqBand* band)> OnBeginBand;
    std::function<void(TrqBand* band)> OnEndBand;
    std::function<void(const AnsiString& parName, Variant& parValue)> OnGetValue;
    std::function<void(TStringList& memo, TrqView* view)> OnBeforePrint;
    std::function<void(const AnsiString& name, const Variant& p1, const Variant& p2, const Variant& p3, Variant& val)>
        OnUserFunction;
    std::function<void(int n)> OnProgress;
    // Not an event of templates: while the last (or only) pass of a build
    // runs, each time prepared pages are finished for good, that is no band
    // of the build writes to them again, with the number of pages finished
    // (they are the first ones). A preview shows them through it while the
    // rest is being built.
    std::function<void(int finished)> OnPagesFinished;
    std::function<void(TrqBand* band)> OnBeginColumn;
    std::function<void(int colNo, int& width)> OnPrintColumn;
    std::function<void(TrqPage* page)> OnManualBuild;
    std::function<void(TrqView* view)> OnObjectClick;
    std::function<void(TrqView* view, int& cursor)> OnMouseOverObject;
    std::function<void()> OnPrintReport;
    std::function<void(TComponent* sender)> OnCustomizeObject;

    // The template.
    TrqPages& Pages() { return pages_; }
    const TrqPages& Pages() const { return pages_; }
    TrqDataDictionary& Dictionary() { return dictionary_; }
    const AnsiString& FileName() const { return fileName_; }
    void SetFileName(const AnsiString& v) { fileName_ = v; }
    // The engine's printer object, on which the pages lay out their paper.
    TrqPrinter& Printer() const { return printer_; }
    bool UseDefaultPrinter() const { return useDefaultPrinter_; }
    void SetUseDefaultPrinter(bool v) { useDefaultPrinter_ = v; }
    bool TwoPass() const { return twoPass_; }
    void SetTwoPass(bool v) { twoPass_ = v; }
    const AnsiString& PrinterName() const { return printerName_; }
    // The stream version the template was read in (24 for one made here).
    int LoadedVersion() const { return loadedVersion_; }
    void SetLoadedVersion(int v) { loadedVersion_ = v; }

    // Build state (the band engine keeps it).
    bool Terminated = false;
    bool FinalPass = false;
    bool Building() const { return building_; }
    void SetBuilding(bool v) { building_ = v; }
    TrqPage* CurrentPage() const { return currentPage_; }
    void SetCurrentPage(TrqPage* page) { currentPage_ = page; }
    TrqView* CurrentView() const { return currentView_; }
    void SetCurrentView(TrqView* view) { currentView_ = view; }

    // Removes every page and view and the dictionary; TwoPass is cleared.
    void Clear();

    // The prepared pages of the last build (report/pages/EMFPages.cpp: an
    // empty list until the first build or load).
    TrqEMFPages& EMFPages();
    // The report takes `pages` (a new, empty list when null) and hands back
    // the ones it held: the preview takes a report's pages this way.
    std::unique_ptr<TrqEMFPages> ReplaceEMFPages(std::unique_ptr<TrqEMFPages> pages);
    // The prepared pages to and from a prepared-report file (.rqp); a file that
    // cannot be created or opened raises EFCreateError or EFOpenError.
    void SavePreparedReport(const AnsiString& fileName);
    void LoadPreparedReport(const AnsiString& fileName);

    // Reading and writing templates (report/stream/TemplateReader.cpp, TemplateWriter.cpp).
    // Loads a template from the stream's position on. Problems are shown as
    // message boxes (caption "Error"); their text is also kept in LoadMessage().
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream);
    // False, changing nothing, when the file does not exist; otherwise loads it
    // and remembers the file name. The result does not say whether it loaded.
    bool LoadFromFile(const AnsiString& fileName);
    void SaveToFile(const AnsiString& fileName);
    // The message the last load ended with; empty when it loaded cleanly.
    const AnsiString& LoadMessage() const { return loadMessage_; }

    // The ReportForm property of a stored component: int32 24, then, when
    // StoreInDFM, int32 n and n bytes of template stream.
    void WriteReportForm(TStream& stream);
    // Keeps the template bytes until Loaded().
    void ReadReportForm(TStream& stream);
    // The component has been read from its container: a stored template loads now.
    void Loaded();

    // The first view of that name on any page (any letter case), or null.
    TrqView* FindObject(std::string_view name) const;
    // Unless UseDefaultPrinter, makes the printer of exactly that name current
    // (a name the printer list lacks is ignored); the name is kept in any case.
    void SelectPrinter(const AnsiString& name);

    // Properties and methods by qualified name ("Memo1.Left", "PAGE2.Visible",
    // "Font.Name" on the current view, "Left" alone on the current view).
    Variant GetObjectProperty(const AnsiString& qualifiedName);
    void SetObjectProperty(const AnsiString& qualifiedName, const Variant& value);
    Variant CallObjectMethod(const AnsiString& qualifiedName, const Variant& p1, const Variant& p2, const Variant& p3);
    // The object a qualified name addresses and the property name on it; false
    // when nothing matches. *named tells whether the name named the object
    // (PAGEn or a view's name before the dot) rather than meaning the current view.
    bool ResolveQualifiedName(const AnsiString& qualifiedName, TrqObject*& object, AnsiString& propName,
                              bool* named = nullptr) const;

    // Builds the prepared pages from the template (report/engine). True when
    // pages were built; false when the build failed (its message was shown in a
    // box captioned "Error" and the pages cleared), was cancelled, or another
    // build of this report is running. The template is the same afterwards.
    virtual bool PrepareReport();
    // Shows the prepared pages in the preview window, or in the Preview
    // control when one is set (report/windows/ShowPreparedReport.cpp).
    void ShowPreparedReport();
    // PrepareReport, then ShowPreparedReport.
    void ShowReport();
    // Prints the prepared pages (report/print/PrintReport.cpp): pages is a
    // page list ("" for all, "1,3,5-12"), kind 0 all pages, 1 odd, 2 even.
    // A bad page list raises EConvertError before anything is printed.
    void PrintPreparedReport(const AnsiString& pages, int copies, bool collate, int kind);
    // The print loop that PrintPreparedReport runs.
    virtual void DoPrintReport(const AnsiString& pages, int copies, bool collate, int kind);

    // The windows and controls that show this report's pages (report/windows).
    void AttachPreview(TrqPreviewLink* link);
    void DetachPreview(TrqPreviewLink* link);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TrqTemplateReader;
    void showLoadMessage(const AnsiString& text);
    template <class C>
    void setReference(TComponent*& slot, C* component)
    {
        if (slot) slot->RemoveFreeNotification(this);
        slot = component;
        if (slot) slot->FreeNotification(this);
    }

    TrqDataset* dataset_ = nullptr;
    TComponent* datasetComponent_ = nullptr;
    TrqPreview* preview_ = nullptr;
    TComponent* previewComponent_ = nullptr;
    int32_t defaultCopies_ = 1;
    bool defaultCollate_ = true;
    bool grayedButtons_ = false;
    TrqPreviewZoom initialZoom_ = pzDefault;
    bool mdiPreview_ = false;
    bool modalPreview_ = true;
    bool modifyPrepared_ = true;
    TrqPreviewButtons previewButtons_ = 0x7F;
    bool printIfEmpty_ = true;
    TrqReportType reportType_ = rtSimple;
    bool showPrintDialog_ = true;
    bool showProgress_ = true;
    bool storeInDFM_ = false;
    AnsiString title_;
    bool progressivePreview_ = false;

    TrqPrinter& printer_;
    TrqPages pages_;
    TrqDataDictionary dictionary_;
    AnsiString fileName_;
    bool useDefaultPrinter_ = true;
    bool twoPass_ = false;
    AnsiString printerName_;
    int loadedVersion_ = 24;
    bool building_ = false;
    TrqPage* currentPage_ = nullptr;
    TrqView* currentView_ = nullptr;
    std::unique_ptr<TMemoryStream> reportForm_;
    AnsiString loadMessage_;
    // Made and freed by report/pages, which knows the class (see above).
    std::unique_ptr<TrqEMFPages, void (*)(TrqEMFPages*)> emfPages_{nullptr, nullptr};
    std::vector<TrqPreviewLink*> previewLinks_;
};
