#pragma once
// Teach arithmetic without widgets: the default tolerances of a taught row, the grid
// columns a teach writes, and the selection series of the teach table.

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// The two tolerance words written with a taught row.
struct DefaultTolerance {
    int colour;  // CTO / siTO / TOL
    int second;  // ITO / MTO, or 1 in the 3D modes (column not used)
};
DefaultTolerance DefaultToleranceFor(int evaluationMode, int calculationMode, int powerMode);

// Grid columns (0-based) of a taught row by calculation mode.
struct TeachColumns {
    int intensity, colourTolerance, second;
};
TeachColumns TeachColumnsFor(int calculationMode);

// A decimal integer read from the start of a reply (blanks and a sign allowed);
// nothing when the reply does not start with one.
std::optional<long long> LeadingInteger(const QString& reply);

// The next value of an "Increment selection with" series, modulo 65536.
uint16_t NextInSeries(uint16_t value, long long step);

// One captured frame of the mean-value teach: red, green, blue, x, y, intensity.
using CapturedFrame = std::array<uint16_t, 6>;
constexpr int CAPTURED_X = 3, CAPTURED_Y = 4, CAPTURED_INTENSITY = 5;

// Column means, truncated; zeros without frames.
CapturedFrame MeanOf(const std::vector<CapturedFrame>& frames);

// Largest distance of a frame from the means in the colour plane (or colour space in
// 3D, intensity included) and along the intensity, both truncated to integers.
struct Scatter {
    int colour = 0, intensity = 0;
};
Scatter ScatterOf(const std::vector<CapturedFrame>& frames, const CapturedFrame& means, bool threeD);
