#pragma once
// The pictures of the preview's toolbar and of the print dialog, drawn in
// code so that the engine carries no image files: 16 x 16 glyphs for the
// toolbar buttons, the printer icon of the printer list (18 x 16) and the two
// pictures of collated and uncollated copies.

#include <QPixmap>

enum class TrqPreviewIcon { Open, Save, Print, PageSetup, Find, Help, Exit, PageUp, PageDown };

QPixmap PreviewIcon(TrqPreviewIcon icon);
QPixmap PrinterIcon();
QPixmap CollatePicture(bool collate);
