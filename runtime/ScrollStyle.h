#pragma once
// Which scroll bars a scrolling control shows: the grid and the report
// preview both publish it as ScrollBars.

enum TScrollStyle { ssNone = 0, ssHorizontal = 1, ssVertical = 2, ssBoth = 3 };

constexpr bool HasHorizontalBar(TScrollStyle style) { return style == ssHorizontal || style == ssBoth; }
constexpr bool HasVerticalBar(TScrollStyle style) { return style == ssVertical || style == ssBoth; }
