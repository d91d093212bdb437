#include "params/paramfile.h"

#include "params/cascade.h"
#include "params/paramcontrols.h"
#include "params/settingsfile.h"
#include "ui/platform.h"

ParameterFile::ParameterFile(Platform& platform, ParameterControls& controls, ModeCascade& cascade,
                             ParameterSet& record, QString& rememberedPath)
    : platform_(platform),
      controls_(controls),
      cascade_(cascade),
      record_(record),
      rememberedPath_(rememberedPath) {}

QString ParameterFile::ChooseFile(bool forWriting) {
    return ChooseSettingsFile(platform_, "Parameter", "Parameter.ini", rememberedPath_, forWriting);
}

void ParameterFile::WriteParameterFile() {
    const QString path = ChooseFile(true);
    if (path.isEmpty()) return;
    controls_.ControlsToParameterSet();
    // A parameter set that silently failed to save would be lost.
    if (!BuildParameterFile(record_).WriteToFile(path))
        platform_.Message("ATTENTION!", "Parameter file could not be saved!");
}

bool ParameterFile::HeaderAccepted(const IniText& ini) {
    return SettingsHeaderAccepted(platform_, ini, PARAMETER_FILE_TYPE, NOT_A_PARAMETER_FILE);
}

void ParameterFile::ReadParameterFile() {
    const QString path = ChooseFile(false);
    if (path.isEmpty()) return;
    IniText ini;
    ini.ReadFromFile(path);  // an unreadable file reads as one without any item
    if (HeaderAccepted(ini)) {
        for (const QString& report : GapReports(ReadParameterValues(ini, record_)))
            platform_.Message("Attention!", report);
    }
    cascade_.ParametersArrived();
}
