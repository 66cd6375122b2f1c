#pragma once
// Horizontal text alignment, shared by fields, grid columns and controls:
// one declaration, so that every part of the program means the same type.

#include <cstdint>

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
