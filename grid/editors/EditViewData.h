#pragma once
// Everything needed to paint one editor, or a cell that has no live editor,
// without a window: the editor class fills a view data object before each
// paint, and the grid fills one itself for its cells, so a cell looks the
// same with and without its editor.
//
// The border is drawn inside the outer rectangle and only on the edges in the
// set; its width follows the border style (none 0, single 1, thick, flat and
// 3D 2). With a shadow, 2 pixels at the right and bottom are the shadow's.

#include "grid/editors/EditStyle.h"
#include "runtime/Alignment.h"
#include "runtime/Font.h"
#include "runtime/Variant.h"

#include <QMargins>
#include <QRect>

class QPainter;
class QRegion;

struct TqvEditViewData {
    virtual ~TqvEditViewData() = default;

    bool Enabled = true;
    bool Focused = false;
    bool MouseOver = false;
    TColor BorderColor = clWindowFrame;
    TqvEditBorderStyle BorderStyle = xbsNone;
    TqvEditButtonViewStyle ButtonStyle = btsSimple;
    bool ButtonTransparent = false;
    TqvEditEdges Edges = AllEdges;
    bool Shadow = false;
    bool Transparent = false;
    QRect Bounds;
    QMargins TextMargins;
    bool SingleLine = true;
    TFont Font;
    TColor Brush = clWindow;  // the background fill
    TColor BkColor = clWindow;
    TColor TextColor = clWindowText;
    TAlignment Alignment = taLeftJustify;
    AnsiString Text;  // the value to show
    int TextLength = 0;
    Qt::CursorShape Cursor = Qt::IBeamCursor;
};

// The text editors' view data.
struct TqvTextEditViewData : TqvEditViewData {
    TEditCharCase CharCase = ecNormal;
    bool NoBorder = false;
    char PasswordChar = 0;
    bool SelectionBar = false;
};

// The width a border style takes on each edge.
int EditBorderWidth(TqvEditBorderStyle style);
// The border style hot tracking raises a style to (none → flat, single →
// thick, flat → 3D).
TqvEditBorderStyle HotTrackedBorder(TqvEditBorderStyle style);
// btsDefault resolved from the border style in force.
TqvEditButtonViewStyle ResolvedButtonStyle(TqvEditButtonViewStyle style, TqvEditBorderStyle border);
// The rectangle inside the border (and the shadow) of an editor of `bounds`.
QRect EditContentRect(const QRect& bounds, const TqvEditViewData& data);
// The window region of an editor: its bounds less the shadow's corners.
QRegion EditWindowRegion(const QRect& bounds, bool shadow);

// A one-pixel edge on the chosen sides: `topLeft` on the left and top,
// `bottomRight` on the right and bottom; `r` shrinks by what was drawn.
void PaintBevel(QPainter& canvas, QRect& r, TqvEditEdges edges, TColor topLeft, TColor bottomRight);
// The shadow's strips at the right and bottom of `bounds` (their outer 2 pixels).
void PaintEditShadow(QPainter& canvas, const QRect& bounds);
// The width of the shadow at the right and bottom.
inline constexpr int EditShadowSize = 2;

// Draws the border and the shadow, then fills the interior unless the view
// data is transparent. Returns the rectangle inside the border.
QRect PaintEditFrame(QPainter& canvas, const TqvEditViewData& data);
// The frame, then the text in the interior (one line, by the alignment and
// margins; a password character hides it).
void PaintTextEditView(QPainter& canvas, const TqvTextEditViewData& data);
