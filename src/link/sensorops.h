#pragma once
// The sensor operations that are nothing but orders on the link: identification, the
// two parameter blocks of SEND and GET, calibration values, hardware words. The
// program's pages and chromik-ctl send the same frames through these.

#include <QString>

#include "core/calibrationvalues.h"
#include "core/flags.h"
#include "core/measurement.h"
#include "core/parameterset.h"

class SensorLink;

namespace TransferTexts {
inline const QString RAM_COUNT =
    " PARAMETER IN RAM DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO DEFAULT VALUE!";
inline const QString EEPROM_COUNT =
    " PARAMETER FROM EEPROM DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO DEFAULT VALUE!";
}  // namespace TransferTexts

// Reports a non-zero plausibility count of the last answer through the link's error
// report and returns it; the operation that sent the order goes on.
uint16_t ReportSensorCount(SensorLink& link, const QString& memoryText);

// ORDER_GET_FIRMWARE; the text (at most 71 characters) goes to link.firmwareId.
bool ReadFirmwareId(SensorLink& link);

// The data frame that stands in the receive frame into measurementWords and frame. A
// shorter answer leaves the words behind it as they were.
void TakeDataFrame(SensorLink& link, MeasurementFrame& frame);

struct TransferResult {
    bool ok = false;  // both blocks went through (failures are already reported)
    bool saved = true;  // a send to EEPROM: the store order was answered
    // The sensor's plausibility counts: the scalar and table blocks of a send, the
    // EEPROM load of a get.
    uint16_t scalarCount = 0;
    uint16_t tableCount = 0;
    uint16_t eepromCount = 0;
    bool Plausible() const { return scalarCount == 0 && tableCount == 0 && eepromCount == 0; }
};

// Both blocks of set s to the sensor's RAM, then for EEPROM the order to store them.
// A failed block ends the sequence.
TransferResult SendParameterBlocks(SensorLink& link, const ParameterSet& set, int s,
                                   MemorySelect memory);
// For EEPROM the load into RAM first, then both blocks of set s into `set`: the scalars
// as soon as they arrived, the table (reserved words included) after them.
TransferResult ReadParameterBlocks(SensorLink& link, ParameterSet& set, int s, MemorySelect memory);

bool ReadCalibrationValues(SensorLink& link, CalibrationValues& values);

// ORDER_GET_HARDWARE_INFO; the words land in link.buffers.measurementWords.
bool ReadHardwareWords(SensorLink& link);
