#include "grid/editors/EditorRegistry.h"

#include "grid/editors/GridEditors.h"
#include "grid/editors/KindEditors.h"

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
    static std::map<std::string, TqvEditorFactory, std::less<>> table{
        {"TqvInplaceTextEdit", make<TqvInplaceTextEdit>},
        {"TqvInplaceTreeListTextEdit", make<TqvInplaceTreeListTextEdit>},
        {"TqvInplaceMaskEdit", make<TqvInplaceMaskEdit>},
        {"TqvInplaceDBTreeListMaskEdit", make<TqvInplaceDBTreeListMaskEdit>},
        {"TqvInplaceCurrencyEdit", make<TqvInplaceCurrencyEdit>},
        {"TqvInplaceDBTreeListCurrencyEdit", make<TqvInplaceDBTreeListCurrencyEdit>},
        {"TqvInplaceCheckEdit", make<TqvInplaceCheckEdit>},
        {"TqvInplaceDBTreeListCheckEdit", make<TqvInplaceDBTreeListCheckEdit>},
        {"TqvInplacePickEdit", make<TqvInplacePickEdit>},
        {"TqvInplaceDBTreeListPickEdit", make<TqvInplaceDBTreeListPickEdit>},
        {"TqvInplaceMRUEdit", make<TqvInplaceMRUEdit>},
        {"TqvInplaceDBTreeListMRUEdit", make<TqvInplaceDBTreeListMRUEdit>},
        {"TqvInplaceButtonEdit", make<TqvInplaceButtonEdit>},
        {"TqvInplaceDBTreeListButtonEdit", make<TqvInplaceDBTreeListButtonEdit>},
        {"TqvInplaceHyperLinkEdit", make<TqvInplaceHyperLinkEdit>},
        {"TqvInplaceDBTreeListHyperLinkEdit", make<TqvInplaceDBTreeListHyperLinkEdit>},
        {"TqvInplaceTimeEdit", make<TqvInplaceTimeEdit>},
        {"TqvInplaceDBTreeListTimeEdit", make<TqvInplaceDBTreeListTimeEdit>},
        {"TqvInplaceMemoEdit", make<TqvInplaceMemoEdit>},
        {"TqvInplaceDBTreeListMemoEdit", make<TqvInplaceDBTreeListMemoEdit>},
        {"TqvInplaceImageEdit", make<TqvInplaceImageEdit>},
        {"TqvInplaceDBTreeListImageEdit", make<TqvInplaceDBTreeListImageEdit>},
        {"TqvInplaceCalcEdit", make<TqvInplaceCalcEdit>},
        {"TqvInplaceDBTreeListCalcEdit", make<TqvInplaceDBTreeListCalcEdit>},
        {"TqvInplaceBlobEdit", make<TqvInplaceBlobEdit>},
        {"TqvInplaceDBTreeListBlobEdit", make<TqvInplaceDBTreeListBlobEdit>},
        {"TqvInplaceGraphicEdit", make<TqvInplaceGraphicEdit>},
        {"TqvInplaceDBTreeListGraphicEdit", make<TqvInplaceDBTreeListGraphicEdit>},
    };
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
