#pragma once
// Teach arithmetic without widgets: the default tolerances of a taught row, the grid
// columns a teach writes, and the selection series of the teach table.

#include <QString>
#include <cstdint>
#include <optional>

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
