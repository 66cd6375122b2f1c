// The working text of memos and tags: memo lines cut into literals and
// brackets once per build, each bracket evaluated and formatted by the view's
// format or its own suffix, OnBeforePrint, and binary fields that a view's
// text names.
#include "report/engine/MemoText.h"

#include "report/engine/BuildContext.h"
#include "report/engine/ReportBuilder.h"
#include "report/format/FormatValue.h"
#include "report/language/Globals.h"
#include "report/language/NameResolution.h"
#include "report/model/MemoView.h"
#include "report/model/PictureView.h"
#include "runtime/SysUtils.h"
#include "runtime/db/Field.h"

namespace {
bool isBinary(TFieldType type)
{
    switch (type) {
    case ftBlob:
    case ftMemo:
    case ftGraphic:
    case ftFmtMemo:
    case ftParadoxOle:
    case ftDBaseOle:
    case ftTypedBinary: return true;
    default: return false;
    }
}

bool isDateTime(TFieldType type) { return type == ftDate || type == ftTime || type == ftDateTime; }

// Appends a value that may hold line breaks as the lines it makes.
void appendLines(TStringList& lines, const AnsiString& text)
{
    if (text.find_first_of("\r\n") == AnsiString::npos) {
        if (!text.empty()) lines.Add(text);
        return;
    }
    TStringList split;
    split.SetText(text);
    lines.AddStrings(split);
}
}  // namespace

void TrqMemoText::FindDataFields(TrqPageBuild& pb)
{
    TrqDictionaryLookup& lookup = builder_.lookup_;
    for (auto& band : pb.Bands)
        for (TrqView* view : band->Objects) {
            fieldKeys_.erase(view);
            if (view->ObjectKind == okMemo && view->Flag(flTextOnly)) continue;
            AnsiString text = view->Memo.Text();
            size_t close = text.rfind(']');
            if (text.size() <= 2 || text[0] != '[' || close == AnsiString::npos || close < 1) continue;
            AnsiString inner = text.substr(1, close - 1);
            builder_.band_ = band.get();
            TrqFieldRef ref;
            if (lookup.IsVariable(inner)) {
                TrqFieldCache::Entry* cached = lookup.CachedField(inner);
                if (!cached) continue;
                ref.DataSet = cached->DataSet;
                ref.FieldName = cached->FieldName;
            } else if (!lookup.Resolve(inner, ref)) {
                continue;
            }
            // Several views may name the same field of different datasets.
            AnsiString key = inner + '\x01' + IntToStr(reinterpret_cast<intptr_t>(ref.DataSet));
            if (!fields_.Find(key)) fields_.Add(key, ref);
            fieldKeys_[view] = key;
        }
    builder_.band_ = nullptr;
}

AnsiString TrqMemoText::bracketValue(const TrqBracket& bracket, TrqView& view, bool tagFormat, TrqMemoView* shown)
{
    ClearNameUnderEvaluation();
    // Blank rows evaluate only what holds "#" (LINE#, formatted values).
    if (builder_.blankMode_ && !bracket.HasHash) return AnsiString();
    int32_t code = tagFormat ? 0 : view.FormatCode;
    AnsiString pattern = view.FormatText;
    if (bracket.HasSuffix) {
        if (!bracket.SuffixError.empty()) throw EConvertError(bracket.SuffixError);
        if (bracket.SetsFormat) {
            code = bracket.Code;
            pattern = bracket.Pattern;
        }
    }
    Variant value(0);
    ResolveName(bracket.Expression, value);
    if (isNullDateTime(bracket.Expression)) {
        // A date-time field that is null prints as nothing rather than as day
        // 0 (1899-12-30); expressions go on reading it as 0.
        builder_.context_->LastBracketValue = value;
        return AnsiString();
    }
    if (view.Flag(flHideZeros) && view.ObjectKind == okMemo && !value.IsString()) {
        try {
            if (value == Variant(0)) value = AnsiString();
        } catch (const std::exception&) {
            // A value that cannot be compared with 0 is shown as it is.
        }
    }
    builder_.context_->LastBracketValue = value;
    if (builder_.aggregates_.Collecting()) return AnsiString();
    if (shown && (value.Type() == VarType::Integer || value.Type() == VarType::Float ||
                  value.Type() == VarType::DateTime)) {
        shown->ShownValue = value;
        shown->ShownCode = code;
        shown->ShownPattern = pattern;
    }
    return FormatValue(value, code, pattern);
}

bool TrqMemoText::isNullDateTime(const AnsiString& expression)
{
    // Only a bracket that is a field itself: the lookup cached it while the
    // bracket was evaluated.
    TrqFieldCache& cache = builder_.lookup_.Cache();
    TrqFieldCache::Entry* entry = cache.Find(expression);
    if (!entry) return false;
    TField* field = cache.FieldOf(*entry);
    return field && isDateTime(field->DataType()) && field->IsNull();
}

void TrqMemoText::expand(TrqMemoView& memo)
{
    Lines& cache = lines_[&memo];
    TStringList& result = memo.MemoResult;
    result.Clear();
    memo.ShownValue = Variant();
    const int count = memo.Memo.Count();
    if (cache.source.size() != static_cast<size_t>(count)) {
        cache.source.assign(static_cast<size_t>(count), AnsiString());
        cache.lines.assign(static_cast<size_t>(count), TrqBracketText());
    }
    const bool textOnly = memo.Flag(flTextOnly);
    for (int i = 0; i < count; ++i) {
        const AnsiString& line = memo.Memo[i];
        if (line.empty()) {
            result.Add(line);
            continue;
        }
        if (textOnly) {
            appendLines(result, line);
            continue;
        }
        const size_t k = static_cast<size_t>(i);
        if (cache.source[k] != line) {
            cache.lines[k] = TrqBracketText(line);
            cache.source[k] = line;
        }
        const TrqBracketText& text = cache.lines[k];
        if (!text.HasBrackets()) {
            appendLines(result, line);
            continue;
        }
        // A memo of one line that is one bracket shows that value alone.
        TrqMemoView* shown = count == 1 && text.IsOneBracket() ? &memo : nullptr;
        appendLines(result, text.Expand([&](const TrqBracket& b) { return bracketValue(b, memo, false, shown); }));
    }
}

AnsiString TrqMemoText::ExpandTag(TrqView& view)
{
    if (view.Tag.find('[') == AnsiString::npos) return view.Tag;
    TrqBracketText text(view.Tag);
    // A memo's Tag is expanded as text, whatever the memo's own format.
    const bool asText = view.ObjectKind == okMemo;
    return text.Expand([&](const TrqBracket& b) { return bracketValue(b, view, asText); });
}

void TrqMemoText::LoadDataField(TrqView& view)
{
    auto key = fieldKeys_.find(&view);
    if (key == fieldKeys_.end()) return;
    TrqFieldCache::Entry* entry = fields_.Find(key->second);
    TField* field = entry ? fields_.FieldOf(*entry) : nullptr;
    if (!field || !isBinary(field->DataType())) return;
    if (view.ObjectKind == okMemo) {
        view.MemoResult.SetText(field->AsString());
    } else if (auto* picture = dynamic_cast<TrqPictureView*>(&view)) {
        if (field->IsNull()) {
            picture->Picture.Clear();
            return;
        }
        // Whatever BlobType says, the bytes tell what the picture is.
        picture->LoadContent(field->AsString(), "field \"" + field->FieldName() + "\"");
    }
}

void TrqMemoText::Prepare(TrqMemoView& memo, bool measuring)
{
    // A measure loads a binary field's text whether or not anyone listens to
    // OnBeforePrint; a print only for the event.
    TrqReport& report = builder_.report_;
    memo.ShownValue = Variant();
    const bool loads = measuring && fieldKeys_.count(&memo) > 0;
    if (!report.OnBeforePrint && !loads) {
        expand(memo);
        return;
    }
    memo.MemoResult.Assign(memo.Memo);
    LoadDataField(memo);
    if (report.OnBeforePrint) report.OnBeforePrint(memo.MemoResult, &memo);
    // Text the field or the event replaced is printed as they left it.
    if (memo.MemoResult == memo.Memo) expand(memo);
}
