#include "live/goloop.h"

#include "app/flags.h"
#include "link/link.h"
#include "live/livedisplays.h"
#include "params/parameterset.h"

AcquisitionLoop::AcquisitionLoop(SensorLink& link, ProgramFlags& flags, const ParameterSet& record,
                                 LiveDisplays& displays)
    : link_(link), flags_(flags), record_(record), displays_(displays) {}

void AcquisitionLoop::DecodeDataFrame() {
    link_.CopyToMeasurement();
    DecodeMeasurementFrame(link_.buffers.measurementWords, frame);
}

void AcquisitionLoop::RunGoLoop() {
    flags_.goRunning = true;
    while (flags_.goRunning) {
        if (flags_.sendPending && sendParameters) sendParameters();
        if (!flags_.goRunning) break;
        if (flags_.getPending && getParameters) getParameters();
        if (!flags_.goRunning) break;
        if (link_.Transact(BuildFrame(link_.buffers, ORDER_GET_DATA, 0, 0, 0)) != 1) continue;
        DecodeDataFrame();
        displays_.UpdateRawValues(frame);
        displays_.UpdateLiveDisplays(frame, record_.scalars.evaluationMode);
        if (plotLiveGraphs) plotLiveGraphs();
    }
    displays_.Flush();  // the last frame stays on screen
}
