// The simulated sensor's evaluation of a measurement against its teach table, its
// outputs, and its scope's settings and ring.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <vector>

#include "evaluate.h"
#include "paramstore.h"
#include "protocol.h"
#include "scope.h"

namespace {

// Two taught rows in X Y INT - 2D: (1000, 2000) CTO 100, INT 1500 ITO 200, and
// (3000, 500) CTO 50, INT 800 ITO 100, in groups 4 and 9.
ParameterSet TwoRows(int evaluationMode, int calculationMode = CALC_XYINT_2D) {
    ParameterSet p{};
    p.scalars.evaluationMode = static_cast<uint16_t>(evaluationMode);
    p.scalars.calculationMode = static_cast<uint16_t>(calculationMode);
    p.scalars.maxVecNo = 2;
    p.scalars.colorGroup = 1;
    p.table[0] = {{1000, 2000, 100, 1500, 200}, 4, 10, 0};
    p.table[1] = {{3000, 500, 50, 800, 100}, 9, 10, 0};
    if (Is3D(calculationMode)) {
        p.table[0] = {{1000, 2000, 1500, 100, 1}, 4, 10, 0};
        p.table[1] = {{3000, 500, 800, 50, 1}, 9, 10, 0};
    }
    return p;
}

}  // namespace

TEST(SimEvaluation, HitsMissesAndGroupsInEachMode) {
    struct Case {
        const char* name;
        int evaluationMode;
        int calculationMode;
        Coordinates at;
        int colour, group, deltaC;
    };
    const Case cases[] = {
        {"first hit row 1", FIRST_HIT, CALC_XYINT_2D, {3000, 530, 820}, 1, 9, 30},
        {"first hit miss: distance to last row",
         FIRST_HIT,
         CALC_XYINT_2D,
         {3000, 600, 800},
         255,
         255,
         100},
        {"best hit row 0", BEST_HIT, CALC_XYINT_2D, {1000, 2060, 1400}, 0, 4, 60},
        {"best hit outside band", BEST_HIT, CALC_XYINT_2D, {1000, 2000, 1800}, 255, 255, -1},
        {"min dist nearest in band", MIN_DIST, CALC_XYINT_2D, {1500, 2000, 1500}, 0, 4, 500},
        {"min dist no band", MIN_DIST, CALC_XYINT_2D, {1500, 2000, 3000}, 255, 255, -1},
        {"3D hit", BEST_HIT, CALC_XYINT_3D, {1000, 2000, 1560}, 0, 4, 60},
        {"3D miss on intensity", BEST_HIT, CALC_XYINT_3D, {1000, 2000, 1700}, 255, 255, -1},
        {"s i M 2D hit", FIRST_HIT, CALC_SIM_2D, {1000, 2000, 1500}, 0, 4, 0},
    };
    for (const Case& c : cases) {
        const Evaluation e =
            Evaluate(TwoRows(c.evaluationMode, c.calculationMode), c.at, {0, 0, 0});
        EXPECT_EQ(e.colorNumber, c.colour) << c.name;
        EXPECT_EQ(e.groupNumber, c.group) << c.name;
        EXPECT_EQ(e.deltaC, c.deltaC) << c.name;
    }
}

TEST(SimEvaluation, LimitsGroupsAndOutputModes) {
    ParameterSet p = TwoRows(BEST_HIT);
    const Coordinates onRow1{3000, 500, 800};
    p.scalars.maxVecNo = 1;
    EXPECT_EQ(Evaluate(p, onRow1, {}).colorNumber, 255) << "row 1 beyond MAX VEC NO";
    p.scalars.maxVecNo = 2;
    p.scalars.intlim = 900;
    EXPECT_EQ(Evaluate(p, onRow1, {}).colorNumber, 255) << "below INTLIM";
    EXPECT_EQ(Evaluate(p, onRow1, {}).deltaC, -1);
    p.scalars.intlim = 0;
    p.scalars.colorGroup = 0;
    EXPECT_EQ(Evaluate(p, onRow1, {}).groupNumber, 255) << "groups off";

    ParameterSet col5 = TwoRows(COL5);
    col5.table[2] = col5.table[1];
    col5.scalars.maxVecNo = 5;
    EXPECT_EQ(Evaluate(col5, onRow1, {}).colorNumber, 0b110) << "rows 1 and 2 at once";
    EXPECT_EQ(Evaluate(col5, {500, 500, 500}, {}).colorNumber, 0) << "no row hit";

    ParameterSet thd = TwoRows(THD_RGB);
    thd.table[0].cell[0] = 1000;
    thd.table[1].cell[0] = 2000;
    thd.table[2].cell[0] = 3000;
    EXPECT_EQ(Evaluate(thd, {}, {1500, 1500, 3500}).colorNumber, 0b101);
}

TEST(SimEvaluation, OutputsFollowDigitalOutmode) {
    struct Case {
        const char* name;
        int evaluationMode, outmode, colorGroup;
        Evaluation e;
        uint16_t outputs;
    };
    const Case cases[] = {
        {"binary colour 19", BEST_HIT, BINARY, 0, {19, 255, 0}, 0b10011},
        {"binary none: all high", BEST_HIT, BINARY, 0, {255, 255, -1}, 0x1F},
        {"binary group", BEST_HIT, BINARY, 1, {20, 3, 0}, 3},
        {"direct lo colour 2", FIRST_HIT, DIRECT_LO, 0, {2, 255, 0}, 0b11011},
        {"direct lo none", FIRST_HIT, DIRECT_LO, 0, {255, 255, -1}, 0x1F},
        {"direct lo beyond 4", FIRST_HIT, DIRECT_LO, 0, {7, 255, 0}, 0x1F},
        {"direct hi colour 2", MIN_DIST, DIRECT_HI, 0, {2, 255, 0}, 0b00100},
        {"direct hi group 4", MIN_DIST, DIRECT_HI, 1, {30, 4, 0}, 0b10000},
        {"direct hi none", MIN_DIST, DIRECT_HI, 0, {255, 255, -1}, 0},
        {"COL5 pattern", COL5, DIRECT_HI, 0, {0b110, 255, -1}, 0b110},
        {"THD RGB pattern", THD_RGB, BINARY, 0, {0b101, 255, -1}, 0b101},
    };
    for (const Case& c : cases) {
        ParameterScalars s{};
        s.evaluationMode = static_cast<uint16_t>(c.evaluationMode);
        s.digitalOutmode = static_cast<uint16_t>(c.outmode);
        s.colorGroup = static_cast<uint16_t>(c.colorGroup);
        EXPECT_EQ(OutputBits(s, c.e), c.outputs) << c.name;
    }
}

TEST(SimScope, CycleTimeCountsGiveTheScanCycle) {
    const CycleTimeCounts counts = CountCycleTime();
    ASSERT_GT(counts.b, 0);
    EXPECT_DOUBLE_EQ(counts.a / (0.01 * counts.b), SCAN_CYCLE_MS);
}

TEST(SimScope, StartOrderSettings) {
    using Words = std::array<uint16_t, SCOPE_SETTINGS_WORDS>;
    struct Case {
        Words words;
        bool accepted;
        ScopeTrigger trigger;
        int preTrigger, scanRate;
    };
    const Case cases[] = {
        {{0, 20, 0, 1, 0}, true, ScopeTrigger::SingleShot, 20, 1},
        {{1, 127, 65535, 65535, 1}, true, ScopeTrigger::RisingEdge, 127, 65535},
        {{4, 128, 5, 0, 1}, true, ScopeTrigger::In0, 127, 1},  // cut to the ring; rate 0 -> 1
        {{3, 65535, 0, 2, 0}, true, ScopeTrigger::ColourZero, 127, 2},
        {{5, 0, 0, 1, 0}, false, {}, 0, 0},
    };
    for (const Case& c : cases) {
        const auto settings = ParseScopeSettings(c.words);
        ASSERT_EQ(settings.has_value(), c.accepted) << c.words[0];
        if (!settings) continue;
        EXPECT_EQ(settings->trigger, c.trigger);
        EXPECT_EQ(settings->preTrigger, c.preTrigger);
        EXPECT_EQ(settings->level, c.words[2]);
        EXPECT_EQ(settings->scanRate, c.scanRate);
        EXPECT_EQ(settings->signal, c.words[4]);
    }
}

namespace {

// A signal that takes value v from sample `from` on.
struct Step {
    int from;
    int value;
};

// Sample n: red = n, green = 7, and the stepped value as blue, colour number and IN0.
ScopeSample SteppedSample(const std::vector<Step>& steps, int n) {
    int v = 0;
    for (const Step& s : steps)
        if (n >= s.from) v = s.value;
    const auto word = static_cast<uint16_t>(v);
    return {{static_cast<uint16_t>(n), 7, word},
            static_cast<uint16_t>((v != 0 ? STATE_IN0 : 0) | (n & STATE_OUTPUTS)),
            word};
}

}  // namespace

TEST(SimScope, RingHoldsPreTriggerSamplesAndTheRest) {
    struct Case {
        const char* name;
        ScopeTrigger trigger;
        int preTrigger;
        uint16_t level;
        std::vector<Step> steps;
        int triggerSample;  // -1: never triggers
    };
    const Case cases[] = {
        {"single shot at once, no pre-trigger", ScopeTrigger::SingleShot, 20, 0, {}, 0},
        {"rising edge", ScopeTrigger::RisingEdge, 5, 100, {{0, 50}, {10, 150}}, 10},
        {"rising: starting above is no edge",
         ScopeTrigger::RisingEdge,
         5,
         100,
         {{0, 150}, {10, 50}, {20, 150}},
         20},
        {"rising: reaching the level is not above",
         ScopeTrigger::RisingEdge,
         0,
         100,
         {{0, 99}, {5, 100}, {9, 101}},
         9},
        {"rising: pre 0 needs a sample before",
         ScopeTrigger::RisingEdge,
         0,
         100,
         {{0, 50}, {1, 150}},
         1},
        {"rising never above 65535", ScopeTrigger::RisingEdge, 0, 65535, {{0, 0}, {10, 4095}}, -1},
        {"falling edge", ScopeTrigger::FallingEdge, 0, 100, {{0, 150}, {10, 50}}, 10},
        {"falling never below 0", ScopeTrigger::FallingEdge, 0, 0, {{0, 100}, {10, 0}}, -1},
        {"edge before the pre-trigger samples is ignored",
         ScopeTrigger::RisingEdge,
         10,
         100,
         {{0, 50}, {3, 150}, {20, 50}, {40, 150}},
         40},
        {"largest pre-trigger", ScopeTrigger::RisingEdge, 127, 100, {{0, 50}, {200, 150}}, 200},
        {"trigger after the ring wrapped",
         ScopeTrigger::FallingEdge,
         20,
         100,
         {{0, 150}, {300, 50}},
         300},
        {"colour 0 detected", ScopeTrigger::ColourZero, 3, 0, {{0, 255}, {7, 0}}, 7},
        {"colour 0 from the start waits for the next",
         ScopeTrigger::ColourZero,
         3,
         0,
         {{0, 0}, {5, 3}, {9, 0}},
         9},
        {"IN0 high with the pre-trigger samples just in",
         ScopeTrigger::In0,
         12,
         0,
         {{0, 0}, {12, 1}},
         12},
        {"IN0 high one sample too early", ScopeTrigger::In0, 12, 0, {{0, 0}, {11, 1}}, -1},
    };
    for (const Case& c : cases) {
        ScopeRecorder recorder({c.trigger, c.preTrigger, c.level, 1, 0});
        // Samples after completion must leave the ring alone.
        for (int n = 0; n < 600; ++n) recorder.Take(SteppedSample(c.steps, n));
        ASSERT_EQ(recorder.Complete(), c.triggerSample >= 0) << c.name;
        if (c.triggerSample < 0) {
            EXPECT_FALSE(recorder.Triggered()) << c.name;
            continue;
        }
        const auto red = recorder.Frame(0);
        const int t = red[SCOPE_RING];
        EXPECT_EQ(t, c.triggerSample % SCOPE_RING) << c.name;
        const int pre = c.trigger == ScopeTrigger::SingleShot ? 0 : c.preTrigger;
        for (int i = 0; i < SCOPE_RING; ++i)
            ASSERT_EQ(red[(t - pre + i + SCOPE_RING) % SCOPE_RING], c.triggerSample - pre + i)
                << c.name << " window sample " << i;
        const ScopeSample atTrigger = SteppedSample(c.steps, c.triggerSample);
        EXPECT_EQ(recorder.Frame(1)[t], 7) << c.name;
        EXPECT_EQ(recorder.Frame(2)[t], atTrigger.analog[2]) << c.name;
        EXPECT_EQ(recorder.Frame(3)[t], atTrigger.state) << c.name;
        for (int k = 1; k < SCOPE_FRAMES; ++k)
            EXPECT_EQ(recorder.Frame(k)[SCOPE_RING], t) << c.name;
    }
}

TEST(SimScope, OrdersAreAcknowledgedOrRefused) {
    QTemporaryDir dir;
    ParamStore store(dir.filePath("eeprom.bin"));
    Calibration calibration;
    SensorModel model(store, calibration);
    SimSensor sensor("FW", store, model, calibration);
    auto ask = [&sensor](uint8_t order, uint16_t param, const std::vector<uint16_t>& words) {
        const QByteArray payload = PackWords(words.data(), static_cast<int>(words.size()));
        return sensor.Answer({MakeFrame(order, param, payload), true});
    };

    struct Case {
        const char* name;
        uint16_t param;
        std::vector<uint16_t> words;
        bool acknowledged;  // otherwise error answer 2
        ScopeCommand command;
    };
    const Case cases[] = {
        {"start", 1, {2, 20, 2000, 4, 1}, true, ScopeCommand::Start},
        {"break", 0, {}, true, ScopeCommand::Break},
        {"unknown trigger mode", 1, {5, 0, 0, 1, 0}, false, ScopeCommand::None},
        {"four settings words", 1, {0, 0, 0, 1}, false, ScopeCommand::None},
        {"start without settings", 1, {}, false, ScopeCommand::None},
        {"break with settings", 0, {0, 0, 0, 1, 0}, false, ScopeCommand::None},
        {"unknown param", 2, {}, false, ScopeCommand::None},
    };
    for (const Case& c : cases) {
        const Reply reply = ask(ORDER_SCOPE_SCAN, c.param, c.words);
        ASSERT_EQ(reply.bytes.size(), HEADER_BYTES) << c.name;
        const AnswerHeader header =
            DecodeHeader(reinterpret_cast<const uint8_t*>(reply.bytes.constData()));
        EXPECT_EQ(header.order, c.acknowledged ? ORDER_SCOPE_SCAN : ERROR_ANSWER) << c.name;
        EXPECT_EQ(header.param, c.acknowledged ? 0 : ERROR_CONTROL_UNIT) << c.name;
        EXPECT_EQ(reply.scope, c.command) << c.name;
    }
    const Reply start = ask(ORDER_SCOPE_SCAN, 1, {2, 20, 2000, 4, 1});
    EXPECT_EQ(start.scopeSettings.trigger, ScopeTrigger::FallingEdge);
    EXPECT_EQ(start.scopeSettings.preTrigger, 20);
    EXPECT_EQ(start.scopeSettings.level, 2000);
    EXPECT_EQ(start.scopeSettings.scanRate, 4);
    EXPECT_EQ(start.scopeSettings.signal, 1);

    // The cycle-time counts as two signed 32-bit values, low byte first.
    const Reply cycle = ask(ORDER_GET_CYCLE_TIME, 0, {});
    ASSERT_EQ(cycle.bytes.size(), HEADER_BYTES + 8);
    const auto* p = reinterpret_cast<const uint8_t*>(cycle.bytes.constData()) + HEADER_BYTES;
    auto int32At = [p](int k) {
        return static_cast<int32_t>(p[k] | p[k + 1] << 8 | p[k + 2] << 16 |
                                    static_cast<uint32_t>(p[k + 3]) << 24);
    };
    EXPECT_EQ(int32At(0), CountCycleTime().a);
    EXPECT_EQ(int32At(4), CountCycleTime().b);
}
