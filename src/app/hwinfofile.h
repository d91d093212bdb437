#pragma once
// HW INFO FILE: reads what the sensor knows about itself and writes the hardware
// information file (its content: files/hwinfotext.h). Written only.

#include <QString>
#include <cstdint>

#include "core/calibrationvalues.h"
#include "files/hwinfotext.h"
#include "ui/panels.h"

struct ProgramFlags;
struct ParameterSet;
class SensorLink;
class Platform;
class ParameterTransfer;
class ParameterControls;

class HardwareInfoFile {
  public:
    HardwareInfoFile(SensorLink& link, ProgramFlags& flags, Platform& platform,
                     ParameterTransfer& transfer, ParameterControls& controls, ParameterSet& record,
                     CalibrationValues& calibration, Ui::MAINP& ui, QString& rememberedPath);

    void WriteHardwareInfoFile();

  private:
    // Reads parameters (from RAM), calibration values and the hardware words; false
    // as soon as one step failed (already reported).
    bool ReadFromSensor();

    SensorLink& link_;
    ProgramFlags& flags_;
    Platform& platform_;
    ParameterTransfer& transfer_;
    ParameterControls& controls_;
    ParameterSet& record_;
    CalibrationValues& calibration_;
    Ui::MAINP& ui_;
    QString& rememberedPath_;
};
