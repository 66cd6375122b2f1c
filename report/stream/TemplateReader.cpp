// Reading a template stream into a report: every version from the unversioned
// streams (read as version 21) to version 24.
#include "report/model/AddInRegistry.h"
#include "report/model/BandView.h"
#include "report/model/LineView.h"
#include "report/model/MemoView.h"
#include "report/model/PictureView.h"
#include "report/model/Report.h"
#include "report/model/SubReportView.h"
#include "report/stream/StreamReader.h"
#include "report/stream/TemplateFormat.h"
#include "report/texts/EngineTexts.h"
#include "runtime/Exceptions.h"

#include <functional>
#include <map>
#include <unordered_set>

namespace {
DECLARE_EXCEPTION(ETemplateFormat, EReadError)
// Damage that leaves no way to the next record: the whole load fails.
DECLARE_EXCEPTION(ETemplateDamaged, EReadError)
// A record that runs past the end of the stream: the file was cut short. The
// whole load fails and says so, rather than leaving the records before it.
DECLARE_EXCEPTION(ETemplateTruncated, ETemplateDamaged)

std::unique_ptr<TrqView> createView(uint8_t kind)
{
    switch (kind) {
    case okMemo: return std::make_unique<TrqMemoView>();
    case okPicture: return std::make_unique<TrqPictureView>();
    case okBand: return std::make_unique<TrqBandView>();
    case okSubReport: return std::make_unique<TrqSubReportView>();
    case okLine: return std::make_unique<TrqLineView>();
    default: return nullptr;
    }
}

// Makes up names "Base" + the smallest free number from 1 to 10000. Only
// older streams leave names out, so the names in use are gathered on the first
// call (from `existing`) and followed from then on. Names only ever get added
// while a template loads, so the smallest free number of a base never goes
// down and each base can go on from where it stopped.
class NameMaker {
public:
    explicit NameMaker(std::function<void(std::unordered_set<AnsiString>&)> existing) : existing_(std::move(existing))
    {
    }
    void Use(const AnsiString& name)
    {
        if (gathered_ && !name.empty()) used_.insert(UpperCase(name));
    }
    AnsiString Make(const AnsiString& base)
    {
        if (!gathered_) {
            existing_(used_);
            gathered_ = true;
        }
        AnsiString upper = UpperCase(base);
        int& n = next_[upper];
        if (n == 0) n = 1;
        for (; n <= 10000; ++n) {
            AnsiString candidate = upper + std::to_string(n);
            if (!used_.count(candidate)) {
                used_.insert(candidate);
                return base + std::to_string(n++);
            }
        }
        return {};
    }

private:
    std::function<void(std::unordered_set<AnsiString>&)> existing_;
    bool gathered_ = false;
    std::unordered_set<AnsiString> used_;
    std::map<AnsiString, int> next_;
};
}  // namespace

class TrqTemplateReader {
public:
    TrqTemplateReader(TrqReport& report, TStream& stream) : report_(report), stream_(stream) {}

    void Read();

private:
    void readHeader();
    void readPage();
    void readDictionary();
    void readNewDictionary(bool stale);
    void readLegacyDictionary();
    void readObject(uint8_t kind, int64_t recordStart);
    void skipTo(int64_t endPosition, int64_t recordStart);

    TrqReport& report_;
    TStream& stream_;
    std::unique_ptr<TrqStreamReader> r_;
    std::vector<AnsiString> unknownClasses_;
    NameMaker objectNames_{[this](std::unordered_set<AnsiString>& used) {
        for (int i = 0; i < report_.Pages().Count(); ++i)
            for (int j = 0; j < report_.Pages()[i]->Count(); ++j) used.insert(UpperCase(report_.Pages()[i]->Objects(j)->Name));
    }};
    NameMaker pageNames_{[this](std::unordered_set<AnsiString>& used) {
        for (int i = 0; i < report_.Pages().Count(); ++i) used.insert(UpperCase(report_.Pages()[i]->Name));
    }};
};

void TrqTemplateReader::Read()
{
    report_.loadMessage_.clear();
    report_.Dictionary().Clear();
    if (stream_.Remaining() == 0) return;
    int64_t base = stream_.Position();
    int version = stream_.ReadUInt8();
    if (version <= 20) {
        // Streams from before the version byte start right with the header.
        version = 21;
        stream_.SetPosition(base);
    }
    if (version > TemplateVersion) {
        report_.showLoadMessage(TemplateText::Unsupported);
        return;
    }
    r_ = std::make_unique<TrqStreamReader>(stream_, version, base);
    r_->MakeName = [this](const AnsiString& baseName) { return objectNames_.Make(baseName); };
    report_.Clear();
    report_.SetLoadedVersion(version);
    try {
        readHeader();
        while (!r_->AtEnd()) {
            int64_t recordStart = r_->Position();
            uint8_t tag = r_->ReadByte();
            if (tag == TagPage) readPage();
            else if (tag == TagDictionary) readDictionary();
            else if (tag == TagExtension) break;
            else if (tag > okAddIn) throw ETemplateFormat("Unknown record");
            else readObject(tag, recordStart);
        }
    } catch (const ETemplateTruncated&) {
        report_.Clear();
        report_.Pages().Add();
        report_.showLoadMessage(TemplateText::Truncated);
        return;
    } catch (...) {
        report_.Clear();
        report_.Pages().Add();
        report_.showLoadMessage(TemplateText::Unsupported);
        return;
    }
    if (!unknownClasses_.empty()) {
        AnsiString text = AnsiString(TemplateText::NonPlugged) + "\r";
        for (const AnsiString& name : unknownClasses_) text += name + "\r";
        text += TemplateText::IncludeComponents;
        report_.showLoadMessage(text);
    }
}

void TrqTemplateReader::readHeader()
{
    report_.SetUseDefaultPrinter(r_->ReadWordBool());
    report_.SetTwoPass(r_->ReadWordBool());
    AnsiString printer = r_->ReadString();
    if (printer == VirtualPrinterMark) printer = TrqLocale::LoadText(VirtualPrinterText);
    report_.SelectPrinter(printer);
}

void TrqTemplateReader::readPage()
{
    const int version = r_->Version();
    TrqPage* page = report_.Pages().AddUnnamed();
    int32_t first = r_->ReadInt32();
    bool hasScript = first == -1;
    int32_t size = hasScript ? r_->ReadInt32() : first;
    int32_t width = r_->ReadInt32();
    int32_t height = r_->ReadInt32();
    page->LeftMargin = r_->ReadInt32();
    page->TopMargin = r_->ReadInt32();
    page->RightMargin = r_->ReadInt32();
    page->BottomMargin = r_->ReadInt32();
    uint8_t orientation = r_->ReadByte();
    if (version <= 22) r_->Skip(6);
    int32_t bin = version == 24 ? r_->ReadInt32() : -1;
    page->PrintToPrevPage = r_->ReadWordBool();
    page->UseMargins = r_->ReadWordBool();
    page->Columns = r_->ReadInt32();
    if (page->Columns == 0) page->Columns = 1;
    page->ColumnGap = r_->ReadInt32();
    if (version < 24) {
        page->Name = pageNames_.Make("Page");
    } else {
        page->Type = r_->ReadByte();
        page->Name = r_->ReadString();
        pageNames_.Use(page->Name);
        uint8_t border = r_->ReadByte();
        page->BorderStyle = border == 0 ? 3 : border == 1 ? 2 : border;
        page->Caption = r_->ReadString();
        page->Color = r_->ReadColor();
        page->Left = r_->ReadInt32();
        page->Top = r_->ReadInt32();
        page->Width = r_->ReadInt32();
        page->Height = r_->ReadInt32();
        page->Position = r_->ReadByte() != 0 ? 4 : 0;
        if (hasScript) r_->ReadTextList(page->Script);
    }
    page->ChangePaper(size, width, height, bin, orientation);
}

void TrqTemplateReader::readDictionary()
{
    int16_t tag = r_->ReadInt16();
    if (tag == -1 || tag == -2) {
        readNewDictionary(tag == -1);
    } else {
        r_->SetPosition(r_->Position() - 2);
        readLegacyDictionary();
    }
}

void TrqTemplateReader::readNewDictionary(bool stale)
{
    TrqDataDictionary& d = report_.Dictionary();
    for (TrqNamedValues* list : {&d.Variables, &d.FieldAliases, &d.BandDatasources}) {
        list->Clear();
        int32_t count = r_->ReadInt32();
        // Each entry takes at least two bytes: a count beyond the stream is damage.
        if (count < 0 || count > r_->Remaining() / 2) throw ETemplateFormat("Bad dictionary");
        for (int32_t i = 0; i < count; ++i) {
            AnsiString name = r_->ReadString();
            AnsiString value = r_->ReadString();
            list->SetVariable(name, value);
        }
    }
    d.ConvertOldNames();
    if (stale) d.RemoveStaleEntries();
}

void TrqTemplateReader::readLegacyDictionary()
{
    static const char* const systemVariables[] = {"DATE", "TIME", "LINE#", "LINETHROUGH#", "COLUMN#", "CURRENT#",
                                                  "TOTALPAGES"};
    TrqNamedValues aliases;  // only while the variables are read
    int32_t count = r_->ReadInt32();
    if (count < 0 || count > r_->Remaining() / 8) throw ETemplateFormat("Bad dictionary");
    for (int32_t i = 0; i < count; ++i) {
        uint8_t kind = r_->ReadByte();
        int32_t index = r_->ReadInt32();
        AnsiString s1 = r_->ReadShortString();
        AnsiString s2 = r_->ReadShortString();
        AnsiString s3 = r_->ReadShortString();
        AnsiString value;
        if (kind == 1) {
            value = s1 + ".\"" + s2 + "\"";
        } else if (kind == 2) {
            if (index == 1) value = s2;
            else if (index >= 2 && index - 2 < 7) value = systemVariables[index - 2];
        }
        aliases.SetVariable(" " + s3, value);
    }
    TStringList lines;
    r_->ReadTextList(lines);
    TrqDataDictionary& d = report_.Dictionary();
    d.Variables.Clear();
    for (int i = 0; i < lines.Count(); ++i) {
        const AnsiString& line = lines[i];
        if (!line.empty() && line[0] != ' ') d.Variables.SetVariable(line, AnsiString());
        else d.Variables.SetVariable(line, aliases.GetVariable(line).AsString());
    }
    d.ConvertOldNames();
}

void TrqTemplateReader::skipTo(int64_t endPosition, int64_t recordStart)
{
    // A record must end after it starts, or reading would never get past it.
    if (endPosition <= recordStart) throw ETemplateDamaged("Bad record end");
    if (endPosition > r_->Position() + r_->Remaining()) throw ETemplateTruncated("Record ends past the stream");
    r_->SetPosition(endPosition);
}

void TrqTemplateReader::readObject(uint8_t kind, int64_t recordStart)
{
    const bool v24 = r_->Version() == 24;
    bool endRead = false;
    int32_t endPosition = 0;
    bool framedMemo = false;
    try {
        AnsiString className;
        if (kind == okAddIn) {
            className = r_->ReadString();
            AnsiString upper = UpperCase(className);
            if (upper == "TRQBDELOOKUPCONTROL" || upper == "TRQIBXLOOKUPCONTROL") {
                className = "TrqDBLookupControl";
            } else if (upper == "TRQFRAMEDMEMOVIEW") {
                kind = okMemo;
                framedMemo = true;
            }
        }
        uint8_t pageIndex = r_->ReadByte();
        std::unique_ptr<TrqView> created;
        if (kind <= okLine) {
            created = createView(kind);
        } else if (kind == okAddIn) {
            created = CreateAddIn(className);
            if (!created) {
                unknownClasses_.push_back(className);
                throw ETemplateFormat("Unknown class");
            }
        }
        TrqView* view = nullptr;
        if (created) {
            if (pageIndex >= report_.Pages().Count()) throw ETemplateFormat("No such page");
            view = report_.Pages()[pageIndex]->Add(std::move(created));
        }
        if (v24) {
            endPosition = r_->ReadInt32();
            endRead = true;
        }
        if (view) {
            bool failed = false;
            try {
                view->LoadFromStream(*r_);
            } catch (...) {
                failed = true;
            }
            view->SetPropValue("NAME", view->Name);
            objectNames_.Use(view->Name);
            if (failed) throw ETemplateFormat("Bad object");
        }
        if (framedMemo) r_->Skip(8);
        if (endPosition != 0) skipTo(endPosition, recordStart);
    } catch (const ETemplateDamaged&) {
        throw;
    } catch (...) {
        if (r_->AtEnd()) throw ETemplateTruncated("Record cut short");
        if (!v24) return;  // older streams go on from where reading stopped
        if (!endRead) endPosition = r_->ReadInt32();
        skipTo(endPosition, recordStart);
    }
}

void TrqReport::LoadFromStream(TStream& stream)
{
    TrqTemplateReader reader(*this, stream);
    reader.Read();
}
