#include "app/hwinfofile.h"

#include <QDir>
#include <QFileInfo>

#include "core/flags.h"
#include "calib/calibration.h"
#include "link/link.h"
#include "link/sensorops.h"
#include "params/paramcontrols.h"
#include "params/transfer.h"
#include "ui/platform.h"

namespace {

// The values the page's inputs show, as the file stores them.
std::array<uint16_t, 3> InputValues(const ColourInputs& inputs) {
    return {static_cast<uint16_t>(inputs[0]->value()), static_cast<uint16_t>(inputs[1]->value()),
            static_cast<uint16_t>(inputs[2]->value())};
}

}  // namespace

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
    return ReadHardwareWords(link_) && flags_.linkOk;
}

void HardwareInfoFile::WriteHardwareInfoFile() {
    if (!ReadFromSensor()) return;
    const QString start = QFileInfo(rememberedPath_).dir().filePath("HardwareInitialFile.ini");
    const FileChoice choice = platform_.SelectFile({"HardwareInitialFile", start, "*.ini", true});
    if (choice.kind == FileChoice::None) {
        link_.AppendLog("ATTENTION!   NO FILE WAS SELECTED!\n\n");
        return;
    }
    rememberedPath_ = choice.path;
    controls_.ControlsToParameterSet();
    const IniText ini = BuildHardwareInfoFile(
        {.firmwareId = link_.firmwareId,
         .words = link_.buffers.measurementWords,
         .calibration = {InputValues(FactorInputs(ui_)), InputValues(OffsetInputs(ui_))},
         .parameters = record_});
    // Saying "saved" after a failed write would send the operator off with nothing.
    link_.AppendLog((ini.WriteToFile(choice.path)
                         ? "HARDWARE INI FILE HAS BEEN SAVED TO:\n"
                         : "ATTENTION!   HARDWARE INI FILE COULD NOT BE SAVED TO:\n") +
                    choice.path + "\n\n");
}
