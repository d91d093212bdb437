// The scope's arithmetic: cycle time, display decimals, frame ordering, digital traces,
// cursor deltas and the analog y range.
#include <gtest/gtest.h>

#include <cmath>

#include "core/parameterset.h"
#include "scope/scopemath.h"

TEST(ScopeCycleTime, CountsGiveCycleTimeOrFailure) {
    struct Case {
        int32_t a, b;
        double ms;  // 0: a failed query
    };
    const Case cases[] = {
        {1, 1000, 0.1}, {250, 10000, 2.5}, {-1, -1000, 0.1},  // both negative: still a positive
                                                              // cycle time
        {1, 0, 0.0},    {0, 0, 0.0},       {0, 1000, 0.0},   {-250, 10000, 0.0}, {250, -10000, 0.0},
    };
    for (const Case& c : cases) {
        const CycleTime t = CycleTimeFromCounts(c.a, c.b);
        EXPECT_DOUBLE_EQ(t.cycleTimeMs, c.ms) << c.a << " / " << c.b;
        EXPECT_EQ(t.failure.isEmpty(), c.ms > 0) << c.a << " / " << c.b;
    }
    EXPECT_EQ(CycleTimeFromCounts(7, 0).failure,
              "cycle time counts A=7, B=0 give no positive cycle time");
}

TEST(ScopeCycleTime, AnswerPayloadIsTwoLittleEndianSignedCounts) {
    // A = 250, B = 10000; then A = -1 (all ones), which gives no cycle time.
    const uint8_t answer[] = {0xFA, 0x00, 0x00, 0x00, 0x10, 0x27, 0x00, 0x00};
    EXPECT_DOUBLE_EQ(CycleTimeFromAnswer(answer).cycleTimeMs, 2.5);
    const uint8_t negative[] = {0xFF, 0xFF, 0xFF, 0xFF, 0x10, 0x27, 0x00, 0x00};
    EXPECT_EQ(CycleTimeFromAnswer(negative).failure,
              "cycle time counts A=-1, B=10000 give no positive cycle time");

    const CycleTime short_ = CycleTimeFromAnswer(std::span(answer, 7));
    EXPECT_EQ(short_.cycleTimeMs, 0.0);
    EXPECT_EQ(short_.failure, "cycle time answer has 7 bytes, 8 expected");
}

TEST(ScopeCycleTime, FrequencyAndDecimalsFollowTheCycleTime) {
    struct Case {
        double ms;
        double hz;
        int cycleDecimals, frequencyDecimals;
    };
    const Case cases[] = {
        {0.0, 0.0, 2, 0},  // failed query: both displays show 0
        {0.1, 10000.0, 2, 0},
        {1.0, 1000.0, 2, 0},
        {1.0001, 1000.0 / 1.0001, 1, 3},
        {2.5, 400.0, 1, 3},
        {1000.0, 1.0, 1, 3},
        {1000.5, 1000.0 / 1000.5, 0, 3},
        {10000.0, 0.1, 0, 3},
        {10000.5, 1000.0 / 10000.5, 0, 6},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(ScanFrequencyHz(c.ms), c.hz) << c.ms;
        const CycleTimeDecimals d = CycleTimeDecimalsFor(c.ms);
        EXPECT_EQ(d.cycleTime, c.cycleDecimals) << c.ms;
        EXPECT_EQ(d.frequency, c.frequencyDecimals) << c.ms;
    }
}

namespace {

// A frame whose word k holds 1000 + k, so a sample shows which word it came from.
std::array<uint16_t, SCOPE_FRAME_WORDS> NumberedFrame(uint16_t trigger) {
    std::array<uint16_t, SCOPE_FRAME_WORDS> frame{};
    for (int k = 0; k < SCOPE_SAMPLES; ++k) frame[k] = static_cast<uint16_t>(1000 + k);
    frame[SCOPE_SAMPLES] = trigger;
    return frame;
}

}  // namespace

TEST(ScopeFrame, OrderedAroundTheTrigger) {
    struct Case {
        const char* name;
        ScopeTriggerMode mode;
        uint16_t trigger, preTrigger;
        int firstWord;  // the word that becomes sample 0; the rest follow modulo 128
    };
    const Case cases[] = {
        {"trigger 10, pre 20", ScopeTriggerMode::RisingEdge, 10, 20, 118},
        {"pre 0, trigger 5", ScopeTriggerMode::FallingEdge, 5, 0, 5},
        {"pre equals trigger", ScopeTriggerMode::InternalColourZero, 30, 30, 0},
        {"trigger at the ring's end", ScopeTriggerMode::ExternalIn0, 127, 1, 126},
        {"single shot ignores the trigger", ScopeTriggerMode::SingleShot, 77, 20, 0},
        {"trigger beyond the ring", ScopeTriggerMode::RisingEdge, 130, 0, 2},
        {"largest trigger word", ScopeTriggerMode::RisingEdge, 65535, 0, 127},
        {"pre beyond the ring", ScopeTriggerMode::RisingEdge, 10, 148, 118},
        {"largest pre", ScopeTriggerMode::RisingEdge, 0, 65535, 1},
    };
    for (const Case& c : cases) {
        const auto frame = NumberedFrame(c.trigger);
        const ScopeRow row = OrderScopeFrame(frame, c.mode, c.preTrigger);
        for (int i = 0; i < SCOPE_SAMPLES; ++i)
            ASSERT_EQ(row[i], 1000 + (c.firstWord + i) % SCOPE_SAMPLES)
                << c.name << " sample " << i;
    }
}

TEST(ScopeTraces, StateWordsGiveSixStackedTraces) {
    struct Case {
        uint16_t state;
        std::array<uint16_t, DIGITAL_TRACES> levels;
    };
    const Case cases[] = {
        {0x21, {9, 6, 4, 2, 0, 11}},
        {0x00, {8, 6, 4, 2, 0, 10}},
        {0x1E, {8, 7, 5, 3, 1, 10}},
        {0xFFFF, {9, 7, 5, 3, 1, 11}},  // bits above 5 have no trace
    };
    for (const Case& c : cases) {
        ScopeRow states{};
        states[57] = c.state;
        const auto traces = DigitalTraces(states);
        for (int t = 0; t < DIGITAL_TRACES; ++t) {
            EXPECT_EQ(traces[t][57], c.levels[t]) << "state " << c.state << " trace " << t;
            EXPECT_EQ(traces[t][56], DigitalTraceStyles()[t].lowLevel) << "a zero word's sample";
        }
    }
    for (int t = 0; t < DIGITAL_TRACES; ++t)
        EXPECT_EQ(DigitalTraceStyles()[t].colour, t < 5 ? 0x808080u : 0x008080u) << t;
}

TEST(ScopeTraces, DisplaySelectionShowsOneOrAll) {
    using Shown = std::array<bool, ANALOG_TRACES>;
    EXPECT_EQ(ShownAnalogTraces(0), (Shown{true, true, true}));
    EXPECT_EQ(ShownAnalogTraces(1), (Shown{true, false, false}));
    EXPECT_EQ(ShownAnalogTraces(2), (Shown{false, true, false}));
    EXPECT_EQ(ShownAnalogTraces(3), (Shown{false, false, true}));
    EXPECT_EQ(ShownAnalogTraces(4), (Shown{true, true, true}));
}

TEST(ScopeCursors, DeltasTruncateAndFollowScanRateAndCycleTime) {
    struct Case {
        const char* name;
        double x1, y1, x2, y2;
        uint16_t scanRate;
        double cycleTimeMs;
        double deltaX;
        int decimals, deltaY;
    };
    const Case cases[] = {
        {"x difference 7.5 counts 7", 10.7, 0, 3.2, 0, 1, 1.0, 7.0, 3, 0},
        {"y truncated before the difference", 0, 100.9, 0, 50.2, 1, 1.0, 0.0, 6, 50},
        {"y 10.7 and 3.2", 0, 10.7, 0, 3.2, 1, 1.0, 0.0, 6, 7},
        {"x truncated after, y before the difference", 10.2, 10.2, 3.7, 3.7, 1, 1.0, 6.0, 3, 7},
        {"cursors swapped", 3.2, 3.2, 10.7, 10.7, 1, 1.0, 7.0, 3, 7},
        {"no cycle time yet", 0, 0, 100, 0, 10, 0.0, 0.0, 6, 0},
        {"scan rate and cycle time", 0, 0, 10, 0, 4, 0.1, 4.0, 3, 0},
        {"exactly 1.0 ms: 6 decimals", 0, 0, 10, 0, 1, 0.1, 1.0, 6, 0},
        {"exactly 1000.0 ms: 3 decimals", 0, 0, 100, 0, 100, 0.1, 1000.0, 3, 0},
        {"1000.5 ms: 0 decimals", 0, 0, 1, 0, 2001, 0.5, 1000.5, 0, 0},
        {"largest span", 0, 0, 128, 0, 65535, 10000.0, 128.0 * 65535 * 10000.0, 0, 0},
        {"non-finite cursors", NAN, INFINITY, 1, 1, 1, 1.0, 0.0, 6, 1},
    };
    for (const Case& c : cases) {
        const CursorDeltas d = CursorDeltasFor(c.x1, c.y1, c.x2, c.y2, c.scanRate, c.cycleTimeMs);
        EXPECT_DOUBLE_EQ(d.deltaXMs, c.deltaX) << c.name;
        EXPECT_EQ(d.deltaXDecimals, c.decimals) << c.name;
        EXPECT_EQ(d.deltaY, c.deltaY) << c.name;
    }
}

TEST(ScopeAxes, YRangeBySignalAndCalculationMode) {
    struct Case {
        uint16_t signal, calculationMode;
        int yMaximum;
    };
    const Case cases[] = {
        {0, CALC_XYINT_2D, 4100}, {0, CALC_SIM_2D, 4100},  {1, CALC_XYINT_2D, 4100},
        {1, CALC_XYINT_3D, 4100}, {1, CALC_SIM_2D, 10000}, {1, CALC_SIM_3D, 10000},
        {2, CALC_SIM_2D, 4100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AnalogYMaximum(c.signal, c.calculationMode), c.yMaximum)
            << c.signal << " " << c.calculationMode;
}
