#include "teach/teachmath.h"

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
