#include "params/hwinfofile.h"

#include <QDir>
#include <QFileInfo>

#include "app/flags.h"
#include "calib/calibration.h"
#include "link/link.h"
#include "params/paramcontrols.h"
#include "params/paramfile.h"
#include "params/transfer.h"
#include "ui/platform.h"

QString HardwareDataString(const uint16_t* words) {
    QString data;
    data.reserve(4 * HARDWARE_WORDS);
    for (int k = 0; k < HARDWARE_WORDS; ++k)
        data += QString("%1").arg(words[k], 4, 16, QChar('0')).toUpper();
    return data;
}

HardwareInfoFile::HardwareInfoFile(SensorLink& link, ProgramFlags& flags, Platform& platform,
                                   ParameterTransfer& transfer, ParameterControls& controls,
                                   ParameterSet& record, Ui::MAINP& ui, QString& rememberedPath)
    : link_(link),
      flags_(flags),
      platform_(platform),
      transfer_(transfer),
      controls_(controls),
      record_(record),
      ui_(ui),
      rememberedPath_(rememberedPath) {}

bool HardwareInfoFile::ReadFromSensor() {
    flags_.linkOk = true;  // from here on: no error has happened yet
    const int memory = flags_.memorySelect;
    flags_.memorySelect = MEMORY_RAM;
    transfer_.GetParameters();
    flags_.memorySelect = memory;
    if (!flags_.linkOk) return false;
    GetCalibration(link_, ui_);
    if (!flags_.linkOk) return false;
    const int count =
        BuildFrame(link_.buffers, ORDER_GET_HARDWARE_INFO, 0, HARDWARE_INFO_ACCESS, 0);
    if (link_.Transact(count) != 1 || !flags_.linkOk) return false;
    if (!link_.RequireAnswerLength(2 * HARDWARE_WORDS)) return false;
    link_.CopyToMeasurement();
    return true;
}

void HardwareInfoFile::WriteHardwareInfoFile() {
    if (!ReadFromSensor()) return;
    const QString data = HardwareDataString(link_.buffers.measurementWords);
    const QString start = QFileInfo(rememberedPath_).dir().filePath("HardwareInitialFile.ini");
    const FileChoice choice = platform_.SelectFile({"HardwareInitialFile", start, "*.ini", true});
    if (choice.kind == FileChoice::None) {
        link_.AppendLog("ATTENTION!   NO FILE WAS SELECTED!\n\n");
        return;
    }
    rememberedPath_ = choice.path;
    controls_.ControlsToParameterSet();
    IniText ini = NewSettingsFile("Hardware Initial File");
    ini.PutString(GENERAL_INFO, "FIRMWARE VERSION:", link_.firmwareId);
    ini.PutString("HARDWARE INFO", "DATA", data);
    const struct {
        const char* section;
        QSpinBox* red;
        QSpinBox* green;
        QSpinBox* blue;
    } values[] = {{"CALIBRATION FACTOR", ui_.EditCFR, ui_.EditCFG, ui_.EditCFB},
                  {"OFFSET", ui_.EditRedOffset, ui_.EditGreenOffset, ui_.EditBlueOffset}};
    for (const auto& v : values) {
        ini.PutInt(v.section, "RED", v.red->value());
        ini.PutInt(v.section, "GREEN", v.green->value());
        ini.PutInt(v.section, "BLUE", v.blue->value());
    }
    AppendParameterSections(ini, record_);
    // Saying "saved" after a failed write would send the operator off with nothing.
    link_.AppendLog((ini.WriteToFile(choice.path)
                         ? "HARDWARE INI FILE HAS BEEN SAVED TO:\n"
                         : "ATTENTION!   HARDWARE INI FILE COULD NOT BE SAVED TO:\n") +
                    choice.path + "\n\n");
}
