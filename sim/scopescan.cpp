#include "scopescan.h"

#include "protocol.h"

namespace {
// How often a waiting scan catches up with the real clock.
constexpr int TICK_MS = 2;
}  // namespace

ScopeScan::ScopeScan(SimSensor& sensor, QObject* parent) : QObject(parent), sensor_(sensor) {
    tick_.setTimerType(Qt::PreciseTimer);
    tick_.setInterval(TICK_MS);
    connect(&tick_, &QTimer::timeout, this, &ScopeScan::Advance);
}

void ScopeScan::Start(const ScopeSettings& settings) {
    recorder_.emplace(settings);
    signal_ = settings.signal;
    periodS_ = settings.scanRate * SCAN_CYCLE_MS / 1000.0;
    const int before = settings.trigger == ScopeTrigger::SingleShot ? 0 : settings.preTrigger;
    nextSampleS_ = sensor_.Now() - before * periodS_;
    tick_.start();
    Advance();
}

void ScopeScan::Break() {
    tick_.stop();
    recorder_.reset();
}

void ScopeScan::Advance() {
    if (!recorder_) return;
    const double now = sensor_.Now();
    while (!recorder_->Complete() && (recorder_->Triggered() || nextSampleS_ <= now)) {
        recorder_->Take(sensor_.ScopeSampleAt(nextSampleS_, signal_));
        nextSampleS_ += periodS_;
    }
    if (!recorder_->Complete()) return;
    const ScopeRecorder done = *recorder_;
    Break();
    for (int k = 0; k < SCOPE_FRAMES; ++k) {
        const auto words = done.Frame(k);
        // The param numbers the frame, which helps reading a capture of the line.
        emit FrameReady(MakeFrame(ORDER_SCOPE_SCAN, static_cast<uint16_t>(k),
                                  PackWords(words.data(), SCOPE_FRAME_WORDS)));
    }
}
