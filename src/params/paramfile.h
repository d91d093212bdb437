#pragma once
// The parameter file: the ParameterSet in INI form, written by SEND and read by GET
// when FILE is selected.

#include <QString>

#include "params/ini.h"
#include "core/parameterset.h"

class Platform;
class ParameterControls;
class ModeCascade;

IniText BuildParameterFile(const ParameterSet& set);
// The "PARAMETER" and "TEACH VECTOR n" sections (also part of the hardware file).
void AppendParameterSections(IniText& ini, const ParameterSet& set);

struct ParameterFileGaps {
    QString scalars;  // one line per scalar set to its default
    QString rows;     // one line per row section with a default
};
// Reads every word but the reserved ones; what cannot be read gets its default.
ParameterFileGaps ReadParameterValues(const IniText& ini, ParameterSet& set);

class ParameterFile {
  public:
    ParameterFile(Platform& platform, ParameterControls& controls, ModeCascade& cascade,
                  ParameterSet& record,
                  QString& rememberedPath);

    void WriteParameterFile();
    void ReadParameterFile();

  private:
    // The dialog; an empty path when no usable file was chosen (already reported).
    QString ChooseFile(bool forWriting);
    bool HeaderAccepted(const IniText& ini);

    Platform& platform_;
    ParameterControls& controls_;
    ModeCascade& cascade_;
    ParameterSet& record_;
    QString& rememberedPath_;
};
