#pragma once
// SEND and GET: the two parameter blocks to and from the sensor's RAM or EEPROM.

#include <QString>
#include <span>

#include "core/parameterset.h"

struct ProgramFlags;
class SensorLink;
class ParameterControls;
class ParameterFile;
class ModeCascade;

namespace TransferTexts {
inline const QString RAM_COUNT =
    " PARAMETER IN RAM DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO DEFAULT VALUE!";
inline const QString EEPROM_COUNT =
    " PARAMETER FROM EEPROM DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO DEFAULT VALUE!";
}  // namespace TransferTexts

// Reports a non-zero plausibility count of the last answer through the link's error
// report; the operation that sent the order goes on.
void ReportSensorCount(SensorLink& link, const QString& memoryText);

class ParameterTransfer {
  public:
    ParameterTransfer(SensorLink& link, ProgramFlags& flags, ParameterSet& record,
                      ParameterControls& controls, ModeCascade& cascade, ParameterFile& file);

    void SendParameters();
    void GetParameters();

  private:
    // Sends one block from the record; false when the transaction failed.
    bool SendBlock(uint16_t param, std::span<const uint16_t> words);
    // Reads one block into the payload-words buffer; false when it failed or was short.
    bool ReadBlock(uint16_t param, int bytes);

    SensorLink& link_;
    ProgramFlags& flags_;
    ParameterSet& record_;
    ParameterControls& controls_;
    ModeCascade& cascade_;
    ParameterFile& file_;
};
