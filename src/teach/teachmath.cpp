#include "teach/teachmath.h"

#include <cmath>
#include <cstdlib>

#include "core/parameterset.h"

DefaultTolerance DefaultToleranceFor(int evaluationMode, int calculationMode, int powerMode) {
    const int colour = evaluationMode == BEST_HIT ? 200 : evaluationMode == MIN_DIST ? 40 : 100;
    if (Is3D(calculationMode)) return {colour, 1};
    if (calculationMode == CALC_SIM_2D) return {colour, 50};
    // X Y INT 2D: ITO follows the colour tolerance of BEST HIT and MIN DIST at 200.
    const int intensity = evaluationMode == BEST_HIT || evaluationMode == MIN_DIST ? 200 : 100;
    return {colour, powerMode == POWER_DYN ? intensity / 2 : intensity};
}

TeachColumns TeachColumnsFor(int calculationMode) {
    return Is3D(calculationMode) ? TeachColumns{2, 3, 4} : TeachColumns{3, 2, 4};
}

std::optional<long long> LeadingInteger(const QString& reply) {
    const QString text = reply.trimmed();
    int i = 0;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) ++i;
    const int digitsFrom = i;
    while (i < text.size() && text[i].isDigit() && i - digitsFrom < 18) ++i;
    if (i == digitsFrom) return std::nullopt;
    return text.left(i).toLongLong();
}

uint16_t NextInSeries(uint16_t value, long long step) {
    const long long next = (static_cast<long long>(value) + step) % 65536;
    return static_cast<uint16_t>(next < 0 ? next + 65536 : next);
}

CapturedFrame MeanOf(const std::vector<CapturedFrame>& frames) {
    CapturedFrame means{};
    if (frames.empty()) return means;
    for (size_t c = 0; c < means.size(); ++c) {
        uint32_t sum = 0;  // 100 frames of 65535 fit easily
        for (const CapturedFrame& f : frames) sum += f[c];
        means[c] = static_cast<uint16_t>(sum / frames.size());
    }
    return means;
}

namespace {

int IntegerSquareRoot(long long value) {
    long long root = static_cast<long long>(std::sqrt(static_cast<double>(value)));
    while (root * root > value) --root;
    while ((root + 1) * (root + 1) <= value) ++root;
    return static_cast<int>(root);
}

}  // namespace

Scatter ScatterOf(const std::vector<CapturedFrame>& frames, const CapturedFrame& means,
                  bool threeD) {
    Scatter s;
    for (const CapturedFrame& f : frames) {
        const long long dx = f[CAPTURED_X] - means[CAPTURED_X];
        const long long dy = f[CAPTURED_Y] - means[CAPTURED_Y];
        const long long di = std::abs(f[CAPTURED_INTENSITY] - means[CAPTURED_INTENSITY]);
        s.intensity = std::max(s.intensity, static_cast<int>(di));
        const long long d = dx * dx + dy * dy + (threeD ? di * di : 0);
        s.colour = std::max(s.colour, IntegerSquareRoot(d));
    }
    return s;
}
