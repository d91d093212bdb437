#pragma once
// The indicator colour of every teach row (0xRRGGBB), kept on the PC only.

#include <array>
#include <cstdint>

#include "core/parameterset.h"

using RowColors = std::array<uint32_t, TEACH_ROWS>;

// Row r defaults to entry r mod 15 of the palette.
uint32_t DefaultRowColor(int row);
RowColors DefaultRowColors();
