#include "scope/scopemath.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/parameterset.h"

CycleTime CycleTimeFromCounts(int32_t a, int32_t b) {
    const double ms = b != 0 ? a / (0.01 * b) : 0.0;
    if (std::isfinite(ms) && ms > 0.0) return {ms, {}};
    return {0.0, QString("cycle time counts A=%1, B=%2 give no positive cycle time").arg(a).arg(b)};
}

namespace {

int32_t Int32LittleEndian(std::span<const uint8_t, 4> bytes) {
    uint32_t v = 0;
    for (int k = 3; k >= 0; --k) v = v << 8 | bytes[static_cast<size_t>(k)];
    return static_cast<int32_t>(v);
}

}  // namespace

CycleTime CycleTimeFromAnswer(std::span<const uint8_t> payload) {
    if (payload.size() < CYCLE_TIME_ANSWER_BYTES)
        return {0.0, QString("cycle time answer has %1 bytes, %2 expected")
                         .arg(payload.size())
                         .arg(CYCLE_TIME_ANSWER_BYTES)};
    return CycleTimeFromCounts(Int32LittleEndian(payload.subspan<0, 4>()),
                               Int32LittleEndian(payload.subspan<4, 4>()));
}

double ScanFrequencyHz(double cycleTimeMs) {
    return cycleTimeMs > 0.0 ? 1000.0 / cycleTimeMs : 0.0;
}

CycleTimeDecimals CycleTimeDecimalsFor(double cycleTimeMs) {
    if (cycleTimeMs <= 1.0) return {2, 0};
    if (cycleTimeMs <= 1000.0) return {1, 3};
    if (cycleTimeMs <= 10000.0) return {0, 3};
    return {0, 6};
}

ScopeRow OrderScopeFrame(std::span<const uint16_t, SCOPE_FRAME_WORDS> frame, ScopeTriggerMode mode,
                         uint16_t preTrigger) {
    const int trigger = frame[SCOPE_SAMPLES];
    // Both operands are 16-bit, so the difference may be negative but cannot overflow.
    const int start =
        mode == ScopeTriggerMode::SingleShot
            ? 0
            : ((trigger - preTrigger) % SCOPE_SAMPLES + SCOPE_SAMPLES) % SCOPE_SAMPLES;
    ScopeRow row{};
    for (int i = 0; i < SCOPE_SAMPLES; ++i)
        row[static_cast<size_t>(i)] = frame[static_cast<size_t>((start + i) % SCOPE_SAMPLES)];
    return row;
}

const std::array<DigitalTraceStyle, DIGITAL_TRACES>& DigitalTraceStyles() {
    // Each bit gets its own pair of levels so the six traces lie above one another.
    static const std::array<DigitalTraceStyle, DIGITAL_TRACES> styles = {{
        {0, 8, 0x808080},
        {1, 6, 0x808080},
        {2, 4, 0x808080},
        {3, 2, 0x808080},
        {4, 0, 0x808080},
        {5, 10, 0x008080},
    }};
    return styles;
}

std::array<ScopeRow, DIGITAL_TRACES> DigitalTraces(const ScopeRow& stateWords) {
    std::array<ScopeRow, DIGITAL_TRACES> traces{};
    for (size_t t = 0; t < traces.size(); ++t) {
        const DigitalTraceStyle& style = DigitalTraceStyles()[t];
        for (size_t i = 0; i < stateWords.size(); ++i)
            traces[t][i] =
                static_cast<uint16_t>(style.lowLevel + ((stateWords[i] >> style.stateBit) & 1));
    }
    return traces;
}

std::array<bool, ANALOG_TRACES> ShownAnalogTraces(uint16_t displaySelection) {
    if (displaySelection == 0 || displaySelection > ANALOG_TRACES) return {true, true, true};
    std::array<bool, ANALOG_TRACES> shown{};
    shown[displaySelection - 1u] = true;
    return shown;
}

namespace {

// Truncation toward zero of a cursor coordinate; whatever the graph reports stays an int.
double Truncated(double v) {
    if (!std::isfinite(v)) return 0.0;
    constexpr double LIMIT = std::numeric_limits<int>::max() / 2;
    return std::trunc(std::clamp(v, -LIMIT, LIMIT));
}

}  // namespace

CursorDeltas CursorDeltasFor(double x1, double y1, double x2, double y2, uint16_t scanRate,
                             double cycleTimeMs) {
    const double n = Truncated(std::fabs(x1 - x2));
    const double deltaX = n * scanRate * cycleTimeMs;
    const int deltaY = static_cast<int>(std::fabs(Truncated(y1) - Truncated(y2)));
    return {deltaX, DeltaXDecimals(deltaX), deltaY};
}

int DeltaXDecimals(double deltaXMs) {
    if (deltaXMs <= 1.0) return 6;
    if (deltaXMs <= 1000.0) return 3;
    return 0;
}

int AnalogYMaximum(uint16_t signal, uint16_t calculationMode) {
    const bool sim = calculationMode == CALC_SIM_2D || calculationMode == CALC_SIM_3D;
    return signal == 1 && sim ? 10000 : 4100;
}
