#include "model.h"

#include <algorithm>

#include "core/parameterset.h"

const std::array<Surface, 4>& Surfaces() {
    static const std::array<Surface, 4> surfaces = {{
        {"red", {3000, 900, 700}},
        {"green", {900, 2800, 1200}},
        {"blue", {700, 1200, 3000}},
        {"yellow", {3000, 2800, 800}},
    }};
    return surfaces;
}

namespace {
int Clamp12(int v) { return std::clamp(v, 0, 4095); }
}  // namespace

Coordinates CoordinatesOf(const Rgb& c, int calculationMode) {
    if (calculationMode == CALC_SIM_2D || calculationMode == CALC_SIM_3D)
        return {Clamp12(2048 + (c.red - c.green) / 2),
                Clamp12(2048 + (c.red + c.green - 2 * c.blue) / 4),
                Clamp12((c.red + c.green + c.blue) / 3)};
    const int sum = std::max(1, c.red + c.green + c.blue);
    return {Clamp12(4095 * c.red / sum), Clamp12(4095 * c.green / sum), Clamp12(sum / 3)};
}
