#include "live/graphmath.h"

#include <algorithm>

void ShiftIn(History& history, double a, double b, double c) {
    std::copy(history.begin() + 3, history.end(), history.begin());
    history[HISTORY_VALUES - 3] = a;
    history[HISTORY_VALUES - 2] = b;
    history[HISTORY_VALUES - 1] = c;
}

RowTolerance ToleranceOf(const TeachVector& row, int calculationMode) {
    const uint16_t* c = row.cell;
    if (Is3D(calculationMode)) return {c[0], c[1], c[2], c[3], c[3]};
    return {c[0], c[1], c[3], c[2], c[4]};
}

IntensityColumns IntensityColumnsOf(int calculationMode) {
    return Is3D(calculationMode) ? IntensityColumns{2, 3} : IntensityColumns{3, 4};
}

Band IntensityBand(int intensity, int tolerance, int upperLimit) {
    return {std::max(intensity - tolerance, 0), std::min(intensity + tolerance, upperLimit)};
}

TeachExtents ComputeTeachExtents(const TeachTable& table, int calculationMode) {
    TeachExtents e{10000, 10000, 10000, 0, 0, 0};
    for (const TeachVector& row : table) {
        const RowTolerance t = ToleranceOf(row, calculationMode);
        if (t.x <= 10 && t.y <= 10) continue;
        e.minX = std::min(e.minX, t.x - t.colourTolerance);
        e.maxX = std::max(e.maxX, t.x + t.colourTolerance);
        e.minY = std::min(e.minY, t.y - t.colourTolerance);
        e.maxY = std::max(e.maxY, t.y + t.colourTolerance);
        e.minI = std::min(e.minI, t.intensity - t.intensityTolerance);
        e.maxI = std::max(e.maxI, t.intensity + t.intensityTolerance);
    }
    for (auto [lo, hi] : {std::pair{&e.minX, &e.maxX}, {&e.minY, &e.maxY}, {&e.minI, &e.maxI}})
        if (*hi < *lo) std::swap(*lo, *hi);
    return e;
}

namespace {

struct SpanCentre {
    int span, centre;
};

// Integer arithmetic; the division truncates towards zero.
SpanCentre SpanAndCentre(int c, Range extent) {
    int span = extent.hi - extent.lo;
    int from = extent.lo;
    if (c > extent.hi) span = c - extent.lo;
    if (c < extent.lo) {
        span = extent.hi - c;
        from = c;
    }
    return {span, from + span / 2};
}

}  // namespace

AxisWindow WindowFor(int a, Range extentA, int b, Range extentB) {
    const SpanCentre sa = SpanAndCentre(a, extentA);
    const SpanCentre sb = SpanAndCentre(b, extentB);
    const int h = std::max(sa.span, sb.span) / 2;
    const auto around = [h](int m) {
        return Range{m - h - WINDOW_MARGIN, m + h + WINDOW_MARGIN};
    };
    return {around(sa.centre), around(sb.centre)};
}

int IntGraphCursor(int intensity, int calculationMode) {
    if (calculationMode == CALC_SIM_2D && intensity > SIM_INT_CURSOR_LIMIT)
        return SIM_INT_CURSOR_LIMIT;
    return intensity;
}
