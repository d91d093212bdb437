#pragma once
// Frame handling on the sensor's side: cutting requests out of a byte stream and
// answering them.

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <optional>

#include "link/frame.h"
#include "scope.h"
#include "sensormodel.h"

// Cuts complete request frames out of the incoming bytes. Bytes that cannot start a
// valid header are skipped one at a time, as a device resynchronises on a noisy line.
class FrameAssembler {
  public:
    struct Request {
        QByteArray frame;  // header and payload
        bool dataOk = true;
    };
    void Append(const QByteArray& bytes) { buffer_.append(bytes); }
    std::optional<Request> Next();

  private:
    QByteArray buffer_;
};

QByteArray MakeFrame(uint8_t order, uint16_t param, const QByteArray& payload = {});
// count words as payload bytes, low byte first.
QByteArray PackWords(const uint16_t* words, int count);

// What a scope order asks of the endpoint once its answer is queued.
enum class ScopeCommand { None, Start, Break };

// What the sensor does with one request.
struct Reply {
    QByteArray bytes;
    int newBaudIndex = -1;  // >= 0: switch to this rate once the answer is out
    ScopeCommand scope = ScopeCommand::None;
    ScopeSettings scopeSettings{};  // for ScopeCommand::Start
};

class ParamStore;

class SimSensor {
  public:
    SimSensor(QString firmware, ParamStore& store, SensorModel& model, Calibration& calibration);
    Reply Answer(const FrameAssembler::Request& request);
    // Input IN0 now, and an unrequested data frame of this moment (triggered sending).
    bool In0Now() const;
    QByteArray TriggeredFrame();
    // Seconds since the sensor started, the clock of its measurement.
    double Now() const { return clock_.nsecsElapsed() / 1e9; }
    // One scope sample at time t: the analog signals chosen by `signal` (1: the
    // coordinates of the calculation mode, otherwise R, G, B), outputs and IN0.
    ScopeSample ScopeSampleAt(double t, uint16_t signal);

  private:
    Reply TakeParameters(uint16_t param, const QByteArray& payload);
    Reply GiveParameters(uint16_t param);
    Reply TakeCalibration(uint16_t param, const QByteArray& payload);
    Reply SelfCalibration();
    Reply CycleTime(uint16_t param) const;
    Reply Scope(uint16_t param, const QByteArray& payload) const;

    QString firmware_;
    ParamStore& store_;
    SensorModel& model_;
    Calibration& calibration_;
    // The scope samples far faster than data frames are asked for: its own model keeps
    // that from moving the data frames' trigger hold and minima and maxima.
    SensorModel scopeModel_;
    QElapsedTimer clock_;
};
