#pragma once
// The simulated sensor's two parameter sets in RAM and their EEPROM copy, kept in a
// file so that they survive a restart.

#include <QString>

#include "core/parameterset.h"

class ParamStore {
  public:
    // Loads the EEPROM file (factory parameters when it is missing or damaged) and
    // starts with RAM = EEPROM, as the device does at power-up.
    explicit ParamStore(QString eepromPath);

    // Take a block into RAM; values that fail the plausibility check are replaced by
    // defaults. Return the number replaced.
    int TakeScalars(int set, const uint16_t* words);
    int TakeTable(int set, const uint16_t* words);
    void SaveEeprom();
    int LoadEeprom();

    const ParameterSet& Ram(int set) const { return ram_[set]; }

    static ParameterSet Factory();
    // Replaces implausible words by defaults; returns how many.
    static int CheckScalars(ParameterScalars& s);
    static int CheckTable(TeachTable& t);

  private:
    QString path_;
    ParameterSet ram_[2];
    ParameterSet eeprom_[2];
};
