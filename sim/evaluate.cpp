#include "evaluate.h"

#include <algorithm>
#include <cmath>

namespace {

struct RowMatch {
    bool hit;
    bool inBand;  // 2D: the intensity lies within the row's band (3D: always)
    double distance;
};

RowMatch Match(const TeachVector& row, const Coordinates& c, bool is3D) {
    const double dx = c.x - row.cell[0];
    const double dy = c.y - row.cell[1];
    if (is3D) {
        const double di = c.intensity - row.cell[2];
        const double d = std::sqrt(dx * dx + dy * dy + di * di);
        return {d <= row.cell[3], true, d};
    }
    const double d = std::sqrt(dx * dx + dy * dy);
    const bool inBand = std::abs(c.intensity - row.cell[3]) <= row.cell[4];
    return {d <= row.cell[2] && inBand, inBand, d};
}

int16_t Distance(double d) { return static_cast<int16_t>(std::min(d, 32767.0)); }

// COL5: one bit per hit row 0..4; THD RGB: one bit per channel above its threshold.
Evaluation Outputs(uint16_t bits) { return {bits, 255, -1}; }

Evaluation Thresholds(const TeachTable& t, const Rgb& rgb) {
    return Outputs(static_cast<uint16_t>((rgb.red > t[0].cell[0]) |
                                         (rgb.green > t[1].cell[0]) << 1 |
                                         (rgb.blue > t[2].cell[0]) << 2));
}

}  // namespace

Evaluation Evaluate(const ParameterSet& p, const Coordinates& c, const Rgb& rgb) {
    const ParameterScalars& s = p.scalars;
    if (s.evaluationMode == THD_RGB) return Thresholds(p.table, rgb);
    if (c.intensity < s.intlim) return {};
    const bool is3D = Is3D(s.calculationMode);
    const int rows = std::clamp<int>(s.maxVecNo, 0, TEACH_ROWS);
    Evaluation result;
    double best = 1e300;
    uint16_t bits = 0;
    for (int r = 0; r < rows; ++r) {
        const RowMatch m = Match(p.table[r], c, is3D);
        switch (s.evaluationMode) {
            case FIRST_HIT:
                result.deltaC = Distance(m.distance);  // the last enabled row when none hits
                if (m.hit) {
                    result.colorNumber = static_cast<uint16_t>(r);
                    r = rows;  // first hit ends the search
                }
                break;
            case BEST_HIT:
            case MIN_DIST:
                if ((s.evaluationMode == BEST_HIT ? m.hit : m.inBand) && m.distance < best) {
                    best = m.distance;
                    result.colorNumber = static_cast<uint16_t>(r);
                    result.deltaC = Distance(m.distance);
                }
                break;
            case COL5:
                if (m.hit && r < 5) bits |= static_cast<uint16_t>(1 << r);
                break;
        }
    }
    if (s.evaluationMode == COL5) return Outputs(bits);
    if (s.colorGroup && result.colorNumber < TEACH_ROWS)
        result.groupNumber = p.table[result.colorNumber].group;
    return result;
}

uint16_t OutputBits(const ParameterScalars& s, const Evaluation& e) {
    constexpr uint16_t ALL = 0x1F;
    if (s.evaluationMode >= COL5) return e.colorNumber & ALL;
    const uint16_t value = s.colorGroup ? e.groupNumber : e.colorNumber;
    if (s.digitalOutmode == BINARY) return value < 32 ? value : ALL;
    const bool shown = value < 5;
    if (s.digitalOutmode == DIRECT_HI) return shown ? static_cast<uint16_t>(1 << value) : 0;
    return shown ? static_cast<uint16_t>(ALL & ~(1 << value)) : ALL;
}
