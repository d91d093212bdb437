#pragma once
// Frame handling on the sensor's side: cutting requests out of a byte stream and
// answering them.

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <optional>

#include "link/frame.h"

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

// What the sensor does with one request.
struct Reply {
    QByteArray bytes;
    int newBaudIndex = -1;  // >= 0: switch to this rate once the answer is out
};

class ParamStore;
class SensorModel;
struct Calibration;

class SimSensor {
  public:
    SimSensor(QString firmware, ParamStore& store, SensorModel& model, Calibration& calibration);
    Reply Answer(const FrameAssembler::Request& request);
    // Input IN0 now, and an unrequested data frame of this moment (triggered sending).
    bool In0Now() const;
    QByteArray TriggeredFrame();

  private:
    Reply TakeParameters(uint16_t param, const QByteArray& payload);
    Reply GiveParameters(uint16_t param);
    Reply TakeCalibration(uint16_t param, const QByteArray& payload);
    Reply SelfCalibration();

    QString firmware_;
    ParamStore& store_;
    SensorModel& model_;
    Calibration& calibration_;
    QElapsedTimer clock_;
};
