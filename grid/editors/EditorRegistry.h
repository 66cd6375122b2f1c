#pragma once
// Which in-place editor class edits which column kind: a column names its
// editor class (TqvDBTreeListColumn::EditorClassName) and the grid makes one
// editor of that class here, the first time a column of the class is edited.
//
// The classes built in are listed in EditorRegistry.cpp; a new editor kind
// adds its line there (or registers itself at start-up). A class that is not
// known yet edits as plain text, so no column is left without an editor.

#include <functional>
#include <memory>
#include <string_view>

class TCustomqvContainer;
class TqvInplaceEdit;

using TqvEditorFactory = std::function<std::unique_ptr<TqvInplaceEdit>(TCustomqvContainer* container)>;

// Makes an editor of the named class for a container.
std::unique_ptr<TqvInplaceEdit> CreateInplaceEditor(std::string_view className, TCustomqvContainer* container);
// Adds (or replaces) a class.
void RegisterInplaceEditor(std::string_view className, TqvEditorFactory factory);
bool IsInplaceEditorRegistered(std::string_view className);
