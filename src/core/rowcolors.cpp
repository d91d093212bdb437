#include "core/rowcolors.h"

namespace {
const uint32_t PALETTE[15] = {0xFF0000, 0x80FF00, 0x0000FF, 0x000000, 0xFF80C0,
                              0xFFFF00, 0x808000, 0x800080, 0x80FFFF, 0xFF0080,
                              0x400080, 0xFF00FF, 0x008000, 0x408080, 0x800000};
}

uint32_t DefaultRowColor(int row) { return PALETTE[row % 15]; }

RowColors DefaultRowColors() {
    RowColors colors;
    for (int r = 0; r < TEACH_ROWS; ++r) colors[r] = DefaultRowColor(r);
    return colors;
}
