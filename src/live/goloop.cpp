#include "live/goloop.h"

#include "core/flags.h"
#include "core/parameterset.h"
#include "link/link.h"
#include "link/sensorops.h"
#include "live/livedisplays.h"
#include "params/transfer.h"

AcquisitionLoop::AcquisitionLoop(SensorLink& link, ProgramFlags& flags, const ParameterSet& record,
                                 LiveDisplays& displays, ParameterTransfer& transfer)
    : link_(link), flags_(flags), record_(record), displays_(displays), transfer_(transfer) {}

void AcquisitionLoop::DecodeDataFrame() { TakeDataFrame(link_, frame); }

int AcquisitionLoop::EvaluationMode() const { return record_.scalars.evaluationMode; }

void AcquisitionLoop::RunGoLoop() {
    flags_.goRunning = true;
    while (flags_.goRunning) {
        if (flags_.sendPending) transfer_.SendParameters();
        if (!flags_.goRunning) break;
        if (flags_.getPending) transfer_.GetParameters();
        if (!flags_.goRunning) break;
        if (!link_.Request({.order = ORDER_GET_DATA})) continue;
        DecodeDataFrame();
        displays_.UpdateFrame(frame, EvaluationMode());
        emit FrameArrived(frame);
    }
    displays_.Flush();  // the last frame stays on screen
}
