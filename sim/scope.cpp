#include "scope.h"

#include <algorithm>
#include <cmath>

CycleTimeCounts CountCycleTime() {
    // The model's scans are exactly SCAN_CYCLE_MS apart, so the counts give it exactly.
    constexpr int32_t WINDOW_MS = 8000;
    const auto scans = static_cast<int32_t>(std::lround(WINDOW_MS / SCAN_CYCLE_MS));
    return {WINDOW_MS, 100 * scans};
}

std::optional<ScopeSettings> ParseScopeSettings(
    const std::array<uint16_t, SCOPE_SETTINGS_WORDS>& words) {
    if (words[0] > static_cast<uint16_t>(ScopeTrigger::In0)) return std::nullopt;
    return ScopeSettings{static_cast<ScopeTrigger>(words[0]),
                         std::min<int>(words[1], SCOPE_RING - 1), words[2],
                         std::max<int>(words[3], 1), words[4]};
}

ScopeRecorder::ScopeRecorder(const ScopeSettings& settings)
    : settings_(settings),
      preTrigger_(settings.trigger == ScopeTrigger::SingleShot
                      ? 0
                      : std::clamp(settings.preTrigger, 0, SCOPE_RING - 1)) {}

bool ScopeRecorder::ConditionMet(const ScopeSample& s) const {
    switch (settings_.trigger) {
        case ScopeTrigger::SingleShot:
            return true;
        case ScopeTrigger::RisingEdge:
            return s.analog[2] > settings_.level;
        case ScopeTrigger::FallingEdge:
            return s.analog[2] < settings_.level;
        case ScopeTrigger::ColourZero:
            return s.colorNumber == 0;
        case ScopeTrigger::In0:
            return (s.state & STATE_IN0) != 0;
    }
    return false;
}

bool ScopeRecorder::Fires(bool condition) const {
    if (Triggered() || stored_ < preTrigger_) return false;
    if (settings_.trigger == ScopeTrigger::SingleShot) return true;
    return condition && lastCondition_.has_value() && !*lastCondition_;
}

void ScopeRecorder::Take(const ScopeSample& sample) {
    if (Complete()) return;
    const bool condition = ConditionMet(sample);
    if (Fires(condition)) {
        triggerIndex_ = next_;
        remaining_ = SCOPE_RING - preTrigger_;
    }
    lastCondition_ = condition;
    for (int k = 0; k < 3; ++k) ring_[k][next_] = sample.analog[k];
    ring_[3][next_] = sample.state;
    next_ = (next_ + 1) % SCOPE_RING;
    stored_ = std::min(stored_ + 1, SCOPE_RING);
    if (Triggered()) --remaining_;
}

std::array<uint16_t, SCOPE_FRAME_WORDS> ScopeRecorder::Frame(int k) const {
    std::array<uint16_t, SCOPE_FRAME_WORDS> words{};
    const auto& ring = ring_[static_cast<size_t>(std::clamp(k, 0, SCOPE_FRAMES - 1))];
    std::copy(ring.begin(), ring.end(), words.begin());
    words[SCOPE_RING] = static_cast<uint16_t>(std::max(triggerIndex_, 0));
    return words;
}
