#pragma once
// TrqMemoText: the working text of memos and tags in a build (MemoText.cpp):
// memo lines with their brackets evaluated and formatted, the text that
// OnBeforePrint or a binary field put in their place, and the binary fields
// (memo text, pictures) that a view's text names.
//
// Rules that are easy to break:
// - Memo lines are cut into literals and brackets once per build; a line a
//   script changed is cut again.
// - Blank rows evaluate only the brackets that hold "#"; the aggregate
//   collection pass evaluates brackets without formatting them.
// - The value of the last bracket is what the script variable VALUE gives.
// - A memo whose whole text is one bracket keeps the number or date-time it
//   showed (ShownValue) for export; any other text, a text a script or event
//   replaced, and a text value keep none.

#include "report/data/FieldCache.h"
#include "report/engine/BracketText.h"
#include "runtime/AnsiString.h"

#include <unordered_map>
#include <vector>

class TrqMemoView;
class TrqReportBuilder;
class TrqView;
struct TrqPageBuild;

class TrqMemoText {
public:
    explicit TrqMemoText(TrqReportBuilder& builder) : builder_(builder) {}
    TrqMemoText(const TrqMemoText&) = delete;
    TrqMemoText& operator=(const TrqMemoText&) = delete;

    // Notes the views of the page's bands whose whole text is one bracket
    // naming a field: a binary field loads from it.
    void FindDataFields(TrqPageBuild& pb);
    // The memo's working text for this record (field load, OnBeforePrint,
    // brackets expanded) in MemoResult. A measure loads a binary field's text
    // whether or not anyone listens to OnBeforePrint.
    void Prepare(TrqMemoView& memo, bool measuring);
    // The view's Tag with its brackets expanded.
    AnsiString ExpandTag(TrqView& view);
    // A binary field the view's text names, into MemoResult or the picture.
    void LoadDataField(TrqView& view);

private:
    void expand(TrqMemoView& memo);
    // The value text of a bracket; `shown` takes the value and the format
    // it was shown through.
    AnsiString bracketValue(const TrqBracket& bracket, TrqView& view, bool tagFormat, TrqMemoView* shown = nullptr);
    // The bracket names a date-time field whose value is null.
    bool isNullDateTime(const AnsiString& expression);

    TrqReportBuilder& builder_;
    struct Lines {
        std::vector<AnsiString> source;
        std::vector<TrqBracketText> lines;
    };
    std::unordered_map<const TrqView*, Lines> lines_;
    // Views whose text is a field reference: the reference under which
    // fields_ holds the field.
    std::unordered_map<const TrqView*, AnsiString> fieldKeys_;
    TrqFieldCache fields_;
};
