#pragma once
// A scope scan on the sensor's clock. Up to the trigger, samples are taken as real time
// passes, so a trigger comes when the target really shows it; the ring already holds the
// pre-trigger samples from before the start order, as the sensor keeps measuring. Once
// triggered, the remaining samples are taken at once (the simulated time runs ahead of
// the real one) and the four frames go out. Never blocks the event loop: a timer drives it.

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <optional>

#include "scope.h"

class SimSensor;

class ScopeScan : public QObject {
    Q_OBJECT
  public:
    ScopeScan(SimSensor& sensor, QObject* parent = nullptr);
    // Starts a scan; a scan still waiting is abandoned.
    void Start(const ScopeSettings& settings);
    // Abandons a waiting scan: no frames are sent.
    void Break();

  signals:
    // One of the four scope frames, in order, header included.
    void FrameReady(const QByteArray& frame);

  private:
    void Advance();

    SimSensor& sensor_;
    QTimer tick_;
    std::optional<ScopeRecorder> recorder_;
    uint16_t signal_ = 0;
    double periodS_ = 0;
    double nextSampleS_ = 0;  // sensor time of the next sample
};
