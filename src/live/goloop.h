#pragma once
// GO: one data frame after the other until something clears goRunning; queued SEND
// and GET are served between two frames.

#include <functional>

#include "live/measurement.h"

struct ProgramFlags;
class SensorLink;
class LiveDisplays;

struct ParameterSet;

class AcquisitionLoop {
  public:
    AcquisitionLoop(SensorLink& link, ProgramFlags& flags, const ParameterSet& record,
                    LiveDisplays& displays);

    MeasurementFrame frame{};

    // Runs until goRunning is cleared.
    void RunGoLoop();
    // Takes the data answer just received into measurementWords and the frame.
    void DecodeDataFrame();

    std::function<void()> sendParameters;
    std::function<void()> getParameters;
    std::function<void()> plotLiveGraphs;

  private:
    SensorLink& link_;
    ProgramFlags& flags_;
    const ParameterSet& record_;
    LiveDisplays& displays_;
};
