#pragma once
// SEND and GET: the two parameter blocks to and from the sensor's RAM or EEPROM.

#include <QString>

#include "core/parameterset.h"
#include "link/sensorops.h"

struct ProgramFlags;
class SensorLink;
class ParameterControls;
class ParameterFile;
class ModeCascade;

class ParameterTransfer {
  public:
    ParameterTransfer(SensorLink& link, ProgramFlags& flags, ParameterSet& record,
                      ParameterControls& controls, ModeCascade& cascade, ParameterFile& file);

    void SendParameters();
    void GetParameters();

  private:
    SensorLink& link_;
    ProgramFlags& flags_;
    ParameterSet& record_;
    ParameterControls& controls_;
    ModeCascade& cascade_;
    ParameterFile& file_;
};
