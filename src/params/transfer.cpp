#include "params/transfer.h"

#include "core/flags.h"
#include "link/link.h"
#include "params/cascade.h"
#include "params/paramcontrols.h"
#include "params/paramfile.h"

void ReportSensorCount(SensorLink& link, const QString& memoryText) {
    if (link.answer.param != 0)
        link.ReportLinkError("INFO!\n" + QString::number(link.answer.param) + memoryText);
}

ParameterTransfer::ParameterTransfer(SensorLink& link, ProgramFlags& flags, ParameterSet& record,
                                     ParameterControls& controls, ModeCascade& cascade,
                                     ParameterFile& file)
    : link_(link),
      flags_(flags),
      record_(record),
      controls_(controls),
      cascade_(cascade),
      file_(file) {}

bool ParameterTransfer::SendBlock(uint16_t param, std::span<const uint16_t> words) {
    if (!link_.Request({.order = ORDER_SEND_PARAMETERS, .param = param, .words = words}))
        return false;
    ReportSensorCount(link_, TransferTexts::RAM_COUNT);
    return true;
}

void ParameterTransfer::SendParameters() {
    flags_.sendPending = false;
    if (flags_.memorySelect == MemorySelect::File) {
        file_.WriteParameterFile();
        return;
    }
    controls_.ControlsToParameterSet();
    const int s = flags_.parameterSetIndex;
    if (!SendBlock(static_cast<uint16_t>(s), ScalarWords(record_.scalars))) return;
    if (!SendBlock(TableBlockParam(s), TableWords(record_.table))) return;
    if (flags_.memorySelect == MemorySelect::Eeprom) link_.Request({.order = ORDER_SAVE_EEPROM});
}

bool ParameterTransfer::ReadBlock(uint16_t param, int bytes) {
    return link_.Request({.order = ORDER_GET_PARAMETERS,
                          .param = param,
                          .answerBytes = bytes,
                          .copy = AnswerCopy::PayloadWords});
}

void ParameterTransfer::GetParameters() {
    flags_.getPending = false;
    if (flags_.memorySelect == MemorySelect::File) {
        file_.ReadParameterFile();
        return;
    }
    if (flags_.memorySelect == MemorySelect::Eeprom) {
        if (!link_.Request({.order = ORDER_LOAD_EEPROM})) return;
        ReportSensorCount(link_, TransferTexts::EEPROM_COUNT);
    }
    const int s = flags_.parameterSetIndex;
    if (!ReadBlock(static_cast<uint16_t>(s), SCALAR_BLOCK_BYTES)) return;
    SetScalarWords(record_.scalars, link_.buffers.payloadWords);
    if (!ReadBlock(TableBlockParam(s), TABLE_BLOCK_BYTES)) return;
    SetTableWords(record_.table, link_.buffers.payloadWords);
    cascade_.ParametersArrived();
}
