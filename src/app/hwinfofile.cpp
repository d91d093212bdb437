#include "app/hwinfofile.h"

#include <QDir>
#include <QFileInfo>

#include "core/flags.h"
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
                                   ParameterSet& record, CalibrationValues& calibration,
                                   Ui::MAINP& ui, QString& rememberedPath)
    : link_(link),
      flags_(flags),
      platform_(platform),
      transfer_(transfer),
      controls_(controls),
      record_(record),
      calibration_(calibration),
      ui_(ui),
      rememberedPath_(rememberedPath) {}

bool HardwareInfoFile::ReadFromSensor() {
    flags_.linkOk = true;  // from here on: no error has happened yet
    const MemorySelect memory = flags_.memorySelect;
    flags_.memorySelect = MemorySelect::Ram;
    transfer_.GetParameters();
    flags_.memorySelect = memory;
    if (!flags_.linkOk) return false;
    if (!GetCalibration(link_, calibration_, ui_) || !flags_.linkOk) return false;
    return link_.Request({.order = ORDER_GET_HARDWARE_INFO,
                          .param = HARDWARE_INFO_ACCESS,
                          .answerBytes = 2 * HARDWARE_WORDS,
                          .copy = AnswerCopy::Measurement}) &&
           flags_.linkOk;
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
    const std::pair<const char*, ColourInputs> values[] = {
        {"CALIBRATION FACTOR", FactorInputs(ui_)}, {"OFFSET", OffsetInputs(ui_)}};
    for (const auto& [section, inputs] : values) {
        ini.PutInt(section, "RED", inputs[0]->value());
        ini.PutInt(section, "GREEN", inputs[1]->value());
        ini.PutInt(section, "BLUE", inputs[2]->value());
    }
    AppendParameterSections(ini, record_);
    // Saying "saved" after a failed write would send the operator off with nothing.
    link_.AppendLog((ini.WriteToFile(choice.path)
                         ? "HARDWARE INI FILE HAS BEEN SAVED TO:\n"
                         : "ATTENTION!   HARDWARE INI FILE COULD NOT BE SAVED TO:\n") +
                    choice.path + "\n\n");
}
