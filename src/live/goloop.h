#pragma once
// GO: one data frame after the other until something clears goRunning; queued SEND
// and GET are served between two frames.

#include <QObject>

#include "core/measurement.h"

struct ProgramFlags;
struct ParameterSet;
class SensorLink;
class LiveDisplays;
class ParameterTransfer;

class AcquisitionLoop : public QObject {
    Q_OBJECT
  public:
    AcquisitionLoop(SensorLink& link, ProgramFlags& flags, const ParameterSet& record,
                    LiveDisplays& displays, ParameterTransfer& transfer);

    MeasurementFrame frame{};

    // Runs until goRunning is cleared.
    void RunGoLoop();
    // Takes the data answer just received into measurementWords and the frame. A
    // shorter answer leaves the words behind it as they were.
    void DecodeDataFrame();
    // The evaluation mode the live displays follow.
    int EvaluationMode() const;

  signals:
    // Every data frame, also those the display pacing does not show.
    void FrameArrived(const MeasurementFrame& frame);

  private:
    SensorLink& link_;
    ProgramFlags& flags_;
    const ParameterSet& record_;
    LiveDisplays& displays_;
    ParameterTransfer& transfer_;
};
