// Qualified names in scripts and expressions: "Object.Property" where Object
// is "PAGEn" (a 1-based page number) or the name of a view on any page. A name
// without a dot, or one whose first part names no object but a property of the
// current view ("Font.Name"), addresses the current view.
#include "report/model/Report.h"

#include <cctype>

bool TrqReport::ResolveQualifiedName(const AnsiString& qualifiedName, TrqObject*& object, AnsiString& propName,
                                     bool* named) const
{
    object = nullptr;
    propName.clear();
    if (named) *named = false;
    size_t dot = qualifiedName.find('.');
    if (dot == AnsiString::npos) {
        object = currentView_;
        propName = qualifiedName;
    } else {
        AnsiString head = qualifiedName.substr(0, dot);
        AnsiString upper = UpperCase(head);
        if (upper.size() > 4 && upper.compare(0, 4, "PAGE") == 0 && std::isdigit(static_cast<unsigned char>(upper[4]))) {
            int number = 0;
            size_t i = 4;
            while (i < upper.size() && std::isdigit(static_cast<unsigned char>(upper[i])) && number < 100000)
                number = number * 10 + (upper[i++] - '0');
            if (i == upper.size() && number >= 1 && number <= pages_.Count()) object = pages_[number - 1];
            propName = qualifiedName.substr(dot + 1);
            if (named) *named = object != nullptr;
        } else if (TrqView* view = FindObject(head)) {
            object = view;
            propName = qualifiedName.substr(dot + 1);
            if (named) *named = true;
        } else if (currentView_ && (currentView_->HasProperty(head) || currentView_->HasProperty(qualifiedName))) {
            object = currentView_;
            propName = qualifiedName;
        }
    }
    return object != nullptr;
}

Variant TrqReport::GetObjectProperty(const AnsiString& qualifiedName)
{
    TrqObject* object;
    AnsiString prop;
    if (!ResolveQualifiedName(qualifiedName, object, prop)) return Variant::Null();
    return object->GetPropValue(prop);
}

void TrqReport::SetObjectProperty(const AnsiString& qualifiedName, const Variant& value)
{
    TrqObject* object;
    AnsiString prop;
    if (ResolveQualifiedName(qualifiedName, object, prop)) object->SetPropValue(prop, value);
}

Variant TrqReport::CallObjectMethod(const AnsiString& qualifiedName, const Variant& p1, const Variant& p2,
                                    const Variant& p3)
{
    TrqObject* object;
    AnsiString prop;
    if (!ResolveQualifiedName(qualifiedName, object, prop)) return Variant::Null();
    return object->DoMethod(prop, p1, p2, p3);
}
