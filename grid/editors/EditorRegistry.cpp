#include "grid/editors/EditorRegistry.h"

#include <map>
#include <string>

namespace {
template <class E>
std::unique_ptr<TqvInplaceEdit> make(TCustomqvContainer* container)
{
    return std::make_unique<E>(container);
}

std::map<std::string, TqvEditorFactory, std::less<>>& classes()
{
#define QV_REGISTER_GRID_EDITOR(Name, Kind) {#Kind, make<Kind>}, {#Name, make<Name>},
    static std::map<std::string, TqvEditorFactory, std::less<>> table{
        QV_GRID_EDITOR_CLASSES(QV_REGISTER_GRID_EDITOR)};
#undef QV_REGISTER_GRID_EDITOR
    return table;
}
}  // namespace

std::unique_ptr<TqvInplaceEdit> CreateInplaceEditor(std::string_view className, TCustomqvContainer* container)
{
    auto it = classes().find(className);
    if (it == classes().end()) return std::make_unique<TqvInplaceTreeListTextEdit>(container);
    return it->second(container);
}

void RegisterInplaceEditor(std::string_view className, TqvEditorFactory factory)
{
    classes()[std::string(className)] = std::move(factory);
}

bool IsInplaceEditorRegistered(std::string_view className) { return classes().count(className) > 0; }
