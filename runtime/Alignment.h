#pragma once
// The horizontal alignment of a text in its cell, as fields publish it, grid
// columns and bands show it and status-bar panels place it. One type for all,
// so that a program can include them together and copy a field's alignment to
// its column.

#include <cstdint>

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
