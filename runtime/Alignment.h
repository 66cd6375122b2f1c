#pragma once
// The horizontal alignment of a text in its cell, as fields publish it and
// grid columns and bands show it. One type for both, so that a program can
// include the database classes and the grid together and copy a field's
// alignment to its column.

#include <cstdint>

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
