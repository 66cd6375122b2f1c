#pragma once
// The grid's own context menu, for users who want the grid's rows elsewhere:
//   Copy               the selected rows (the focused one when none is)
//   Copy with headers  the same with the column captions first
//   Export...          the grid's table into a spreadsheet, CSV or HTML file
//                      chosen in a save dialog (GridExport.h)
// Both copies put plain text and an HTML table on the clipboard
// (GridClipboard.h), whatever the grid's copy options are.
//
// Rules that are easy to break:
// - Off by default: a grid without it behaves exactly as before, and the
//   application turns it on per grid.
// - A right click first does what any click on a row does (the grid takes
//   the focus and focuses the pressed row); the menu opens after that.
// - An open in-place editor keeps its own menu: a right click on the editor
//   never opens this one. The grid's context-menu policy stays the default,
//   since the editors give way to a parent that asks for custom menus.
// - The menu object is a child of the grid; Qt frees it with the grid.

class QMenu;
class TCustomqvDBGrid;

// Turns the menu on or off for the grid.
void SetGridContextMenu(TCustomqvDBGrid& grid, bool on);
bool HasGridContextMenu(const TCustomqvDBGrid& grid);
// The grid's menu (null when it is off); its actions are named "Copy",
// "CopyWithHeaders" and "Export" (objectName).
QMenu* GridContextMenu(const TCustomqvDBGrid& grid);
