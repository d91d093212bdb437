#pragma once
// A parameter set with a different value in every word, for round trips.

#include "core/parameterset.h"

inline ParameterSet SampleParameters() {
    ParameterSet set{};
    set.scalars = {900,         1,           7,    2,    33, 100,       12, DIRECT_HI, TRIGGER_EXT2,
                   EXTEACH_OFF, CALC_SIM_3D, 1000, 2000, 1,  LED_PULSE, 8,  250,       42};
    for (int r = 0; r < TEACH_ROWS; ++r)
        set.table[r] = {{uint16_t(r), uint16_t(r + 100), 3, 4, 65535},
                        uint16_t(r % 5),
                        uint16_t(r * 2),
                        uint16_t(0xBEEF)};
    return set;
}
