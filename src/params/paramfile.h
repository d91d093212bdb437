#pragma once
// The parameter file on the operator's side: SEND writes it and GET reads it when FILE
// is selected, through the file dialog and the header questions. The file's content is
// files/paramtext.h.

#include <QString>

#include "core/parameterset.h"
#include "files/paramtext.h"

class Platform;
class ParameterControls;
class ModeCascade;

class ParameterFile {
  public:
    ParameterFile(Platform& platform, ParameterControls& controls, ModeCascade& cascade,
                  ParameterSet& record, QString& rememberedPath);

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
