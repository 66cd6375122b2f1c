#pragma once
// The pictures of the audit toolbar's seven buttons, painted in code: each a
// strip of two 16 x 16 images, the normal one and the disabled one (the same
// shape in greys), for a speed button with NumGlyphs 2.

#include <QImage>

enum class ToolbarGlyph { Edit, Save, Cancel, Audit, RevokeAudit, Print, Exit };

QImage MakeToolbarGlyph(ToolbarGlyph which);
