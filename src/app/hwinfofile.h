#pragma once
// The hardware information file: everything the sensor knows about itself, for the
// supplier's service. Written only.

#include <QString>
#include <cstdint>

#include "core/calibrationvalues.h"
#include "ui/panels.h"

struct ProgramFlags;
struct ParameterSet;
class SensorLink;
class Platform;
class ParameterTransfer;
class ParameterControls;

constexpr int HARDWARE_WORDS = 256;

// The hardware words as 1024 hexadecimal digits, four per word, upper case.
QString HardwareDataString(const uint16_t* words);

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
