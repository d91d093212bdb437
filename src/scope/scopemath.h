#pragma once
// The scope's arithmetic without widgets: the cycle time from the sensor's counts and
// the decimals of its displays, ordering a scope frame around its trigger, the digital
// traces, the traces a display selection shows, the cursor deltas and the analog y range.

#include <QString>
#include <array>
#include <cstdint>
#include <span>

constexpr int SCOPE_SAMPLES = 128;
constexpr int SCOPE_FRAME_WORDS = SCOPE_SAMPLES + 1;  // samples, then the trigger position
constexpr int SCOPE_FRAME_BYTES = 2 * SCOPE_FRAME_WORDS;
constexpr int SCOPE_FRAMES = 4;  // first, second, third analog signal, state words
constexpr int ANALOG_TRACES = 3;
constexpr int DIGITAL_TRACES = 6;
constexpr int CYCLE_TIME_ANSWER_BYTES = 8;

// One trace of 128 samples, in trigger-aligned order.
using ScopeRow = std::array<uint16_t, SCOPE_SAMPLES>;

// ---- Cycle time and scan frequency ----

struct CycleTime {
    double cycleTimeMs = 0.0;  // 0.0 whenever the query gave no usable cycle time
    QString failure;           // empty on success; otherwise the reason, for the log
};

// A / (0.01 x B). Counts that give no positive finite cycle time (B = 0, a negative or
// zero quotient) count as a failed query: 0.0 and the reason.
CycleTime CycleTimeFromCounts(int32_t a, int32_t b);

// The answer payload of ORDER_GET_CYCLE_TIME: A in bytes 0..3, B in bytes 4..7, signed
// little-endian. A payload shorter than 8 bytes is a failure.
CycleTime CycleTimeFromAnswer(std::span<const uint8_t> payload);

// 1000 / cycleTimeMs, or 0.0 when the cycle time is not positive.
double ScanFrequencyHz(double cycleTimeMs);

struct CycleTimeDecimals {
    int cycleTime;
    int frequency;
};
CycleTimeDecimals CycleTimeDecimalsFor(double cycleTimeMs);

// ---- Scope frames and traces ----

// The trigger modes, as the first word of the start order.
enum class ScopeTriggerMode : uint16_t {
    SingleShot = 0,
    RisingEdge,
    FallingEdge,
    InternalColourZero,
    ExternalIn0,
};

// One received frame (words 0..127 the sample ring, word 128 the ring index of the
// trigger sample) in trigger-aligned order: sample i = word (start + i) mod 128, start =
// (trigger - preTrigger) mod 128, so the trigger sample lands at preTrigger mod 128.
// SINGLE SHOT keeps the stored order (start 0) and ignores word 128. Any trigger and
// pre-trigger value is safe.
ScopeRow OrderScopeFrame(std::span<const uint16_t, SCOPE_FRAME_WORDS> frame, ScopeTriggerMode mode,
                         uint16_t preTrigger);

// The digital traces in plot order: state bit, level with the bit clear (set = +1), colour.
struct DigitalTraceStyle {
    int stateBit;
    uint16_t lowLevel;
    uint32_t colour;  // 0xRRGGBB
};
const std::array<DigitalTraceStyle, DIGITAL_TRACES>& DigitalTraceStyles();

// `digitalTraces` from the state-word row, in the order of DigitalTraceStyles().
std::array<ScopeRow, DIGITAL_TRACES> DigitalTraces(const ScopeRow& stateWords);

// Colours of the first, second and third analog trace.
constexpr std::array<uint32_t, ANALOG_TRACES> ANALOG_TRACE_COLOURS = {0xFF0000, 0x00FF00, 0x0000FF};

// Which analog traces a display selection shows: 0 all three, 1..3 that one alone.
// Values above 3 show all three.
std::array<bool, ANALOG_TRACES> ShownAnalogTraces(uint16_t displaySelection);

// ---- Cursors and axes ----

struct CursorDeltas {
    double deltaXMs = 0.0;  // n x scan rate x cycle time; 0 before a successful query
    int deltaXDecimals = 6;
    int deltaY = 0;  // digits
};

// n = |x1 - x2| truncated toward zero; delta Y = |trunc(y1) - trunc(y2)|.
CursorDeltas CursorDeltasFor(double x1, double y1, double x2, double y2, uint16_t scanRate,
                             double cycleTimeMs);

// 6 decimals up to 1.0 ms, 3 up to 1000.0 ms, 0 above.
int DeltaXDecimals(double deltaXMs);

constexpr double SCOPE_X_MAXIMUM = 128.0;

// Upper end of the analog y axis: 10000 for signal 1 in the two s i M calculation
// modes, else 4100.
int AnalogYMaximum(uint16_t signal, uint16_t calculationMode);

// ---- What the program keeps of the scope ----

struct ScopeState {
    std::array<ScopeRow, SCOPE_FRAMES> scopeTraces{};  // three analog rows, then the states
    std::array<ScopeRow, DIGITAL_TRACES> digitalTraces{};
    bool scopeScanning = false;
    double cycleTimeMs = 0.0;  // 0.0 before a successful cycle-time query
};
