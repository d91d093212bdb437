#include "params/transfer.h"

#include "core/flags.h"
#include "link/link.h"
#include "params/cascade.h"
#include "params/paramcontrols.h"
#include "params/paramfile.h"

ParameterTransfer::ParameterTransfer(SensorLink& link, ProgramFlags& flags, ParameterSet& record,
                                     ParameterControls& controls, ModeCascade& cascade,
                                     ParameterFile& file)
    : link_(link),
      flags_(flags),
      record_(record),
      controls_(controls),
      cascade_(cascade),
      file_(file) {}

void ParameterTransfer::SendParameters() {
    flags_.sendPending = false;
    if (flags_.memorySelect == MemorySelect::File) {
        file_.WriteParameterFile();
        return;
    }
    controls_.ControlsToParameterSet();
    SendParameterBlocks(link_, record_, flags_.parameterSetIndex, flags_.memorySelect);
}

void ParameterTransfer::GetParameters() {
    flags_.getPending = false;
    if (flags_.memorySelect == MemorySelect::File) {
        file_.ReadParameterFile();
        return;
    }
    if (ReadParameterBlocks(link_, record_, flags_.parameterSetIndex, flags_.memorySelect).ok)
        cascade_.ParametersArrived();
}
