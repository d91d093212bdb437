#pragma once
// The simulated sensor's scope, without clock or sockets: its scan cycle, the counts it
// reports for the cycle time, the scan settings of the start order, and the recorder
// that fills a 128-sample ring around a trigger. `ScopeScan` (scopescan.h) feeds the
// recorder on the sensor's clock.

#include <array>
#include <cstdint>
#include <optional>

// One scan of the sensor takes 0.1 ms (10 kHz); the scope samples every SCAN RATE scans.
constexpr double SCAN_CYCLE_MS = 0.1;

// The answer to ORDER_GET_CYCLE_TIME. The sensor counts its scans over an undisturbed
// window: A = the window in ms, B = 100 x the scans counted, so A / (0.01 B) = ms a scan.
struct CycleTimeCounts {
    int32_t a;
    int32_t b;
};
CycleTimeCounts CountCycleTime();

constexpr int SCOPE_RING = 128;
constexpr int SCOPE_FRAME_WORDS = SCOPE_RING + 1;  // the ring, then the trigger index
constexpr int SCOPE_SETTINGS_WORDS = 5;
// Frames 0..2 carry the three analog signals, frame 3 the state words.
constexpr int SCOPE_FRAMES = 4;

enum class ScopeTrigger : uint16_t { SingleShot = 0, RisingEdge, FallingEdge, ColourZero, In0 };

// The state word of a sample: outputs OUT0..OUT4 in bits 0..4, input IN0 in bit 5.
constexpr uint16_t STATE_OUTPUTS = 0x1F;
constexpr uint16_t STATE_IN0 = 1 << 5;

struct ScopeSettings {
    ScopeTrigger trigger = ScopeTrigger::SingleShot;
    int preTrigger = 0;   // 0..127
    uint16_t level = 0;   // for the two edge modes
    int scanRate = 1;     // 1..65535
    uint16_t signal = 0;  // 1: the coordinates of the calculation mode; otherwise R, G, B
};

// The five words of the start order. Nothing for an unknown trigger mode. A scan rate of
// 0 samples every scan; more pre-trigger values than the ring can hold before its trigger
// sample are cut to 127.
std::optional<ScopeSettings> ParseScopeSettings(
    const std::array<uint16_t, SCOPE_SETTINGS_WORDS>& words);

struct ScopeSample {
    std::array<uint16_t, 3> analog;  // first, second and third analog signal
    uint16_t state;                  // STATE_OUTPUTS and STATE_IN0
    uint16_t colorNumber;
};

// Records samples into the ring until it holds the pre-trigger samples, the trigger
// sample and the samples after it. SINGLE SHOT triggers on the first sample and keeps no
// pre-trigger samples. The other modes trigger on an edge of their condition (not met
// on the previous sample, met on this one), and only once the ring holds the
// pre-trigger samples; a condition that never changes never triggers.
class ScopeRecorder {
  public:
    explicit ScopeRecorder(const ScopeSettings& settings);

    // Stores the next sample; samples after the ring is complete are ignored.
    void Take(const ScopeSample& sample);
    bool Triggered() const { return triggerIndex_ >= 0; }
    bool Complete() const { return Triggered() && remaining_ == 0; }
    // Frame k (0..3): the ring of signal k, then the ring index of the trigger sample.
    std::array<uint16_t, SCOPE_FRAME_WORDS> Frame(int k) const;

  private:
    bool ConditionMet(const ScopeSample& sample) const;
    bool Fires(bool condition) const;

    ScopeSettings settings_;
    int preTrigger_;
    std::array<std::array<uint16_t, SCOPE_RING>, SCOPE_FRAMES> ring_{};
    int next_ = 0;    // ring index of the next sample
    int stored_ = 0;  // samples stored so far, counted up to the ring's size
    std::optional<bool> lastCondition_;
    int triggerIndex_ = -1;
    int remaining_ = 0;  // samples still to take once triggered
};
