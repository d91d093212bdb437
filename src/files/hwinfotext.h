#pragma once
// The hardware information file's content: everything the sensor knows about itself,
// for the supplier's service. No widgets: the program's HW INFO FILE and chromik-ctl
// write the same bytes.

#include <QString>
#include <cstdint>
#include <span>

#include "core/calibrationvalues.h"
#include "core/parameterset.h"
#include "files/ini.h"
#include "link/frame.h"

// The first 256 hardware words as 1024 hexadecimal digits, four per word, upper case;
// words the sensor did not send count as 0.
QString HardwareDataString(std::span<const uint16_t> words);

struct HardwareInfo {
    QString firmwareId;
    std::span<const uint16_t> words;  // the hardware words as the sensor sent them
    CalibrationValues calibration;
    ParameterSet parameters;
};
IniText BuildHardwareInfoFile(const HardwareInfo& info);
