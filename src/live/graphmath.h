#pragma once
// The arithmetic behind the colour-space graphs and strip charts, without widgets:
// the histories, the taught tolerance areas, their extents and the axis windows.

#include <array>

#include "core/measurement.h"
#include "core/parameterset.h"

constexpr int HISTORY_SAMPLES = 100;
constexpr int HISTORY_VALUES = 3 * HISTORY_SAMPLES;
constexpr int WINDOW_MARGIN = 25;
constexpr int INT_CHART_BAND_LIMIT = 4095;
constexpr int INT_GRAPH_BAND_LIMIT = 4096;
constexpr int SIM_INT_CURSOR_LIMIT = 1200;

// 100 triples, interleaved, oldest first; zero at start.
using History = std::array<double, HISTORY_VALUES>;

// Drops the oldest triple and appends (a, b, c).
void ShiftIn(History& history, double a, double b, double c);

// The tolerance words of a teach row as the graphs read them in a calculation mode.
struct RowTolerance {
    int x, y, intensity;
    int colourTolerance;     // rc
    int intensityTolerance;  // ri
};
RowTolerance ToleranceOf(const TeachVector& row, int calculationMode);

// Grid columns of a row's intensity and intensity tolerance in a calculation mode.
struct IntensityColumns {
    int intensity, tolerance;
};
IntensityColumns IntensityColumnsOf(int calculationMode);

// The band around a row's intensity, the upper end limited to `upperLimit`, the lower to 0.
struct Band {
    int lower, upper;
};
Band IntensityBand(int intensity, int tolerance, int upperLimit);

// Smallest and largest x, y and intensity covered by the counted rows.
struct TeachExtents {
    int minX = 0, minY = 0, minI = 0, maxX = 0, maxY = 0, maxI = 0;
    bool operator==(const TeachExtents&) const = default;
};
// A row with both x and y at 10 or below (a reset row) is not counted; without a
// counted row every dimension is 0..10000.
TeachExtents ComputeTeachExtents(const TeachTable& table, int calculationMode);

struct Range {
    int lo, hi;
    bool operator==(const Range&) const = default;
};
struct AxisWindow {
    Range horizontal, vertical;
    bool operator==(const AxisWindow&) const = default;
};
// Both axes span the same number of units, keep the taught areas and the current point
// (a, b) in view and leave a margin of 25 on every side.
AxisWindow WindowFor(int a, Range extentA, int b, Range extentB);

// The 2D INT graph's cursor: in s i M 2D an intensity above 1200 sits at 1200.
int IntGraphCursor(int intensity, int calculationMode);
