#include "params/transfer.h"

#include <algorithm>

#include "app/flags.h"
#include "link/link.h"
#include "params/paramcontrols.h"

void ReportSensorCount(SensorLink& link, const QString& memoryText) {
    if (link.answer.param != 0)
        link.ReportLinkError("INFO!\n" + QString::number(link.answer.param) + memoryText);
}

ParameterTransfer::ParameterTransfer(SensorLink& link, ProgramFlags& flags, ParameterSet& record,
                                     ParameterControls& controls)
    : link_(link), flags_(flags), record_(record), controls_(controls) {}

bool ParameterTransfer::SendBlock(uint16_t param, const uint16_t* words, int count) {
    std::copy_n(words, count, link_.buffers.payloadWords);
    const int bytes = BuildFrame(link_.buffers, ORDER_SEND_PARAMETERS, count, param,
                                 static_cast<uint16_t>(2 * count));
    if (link_.Transact(bytes) != 1) return false;
    ReportSensorCount(link_, TransferTexts::RAM_COUNT);
    return true;
}

void ParameterTransfer::SendParameters() {
    flags_.sendPending = false;
    if (flags_.memorySelect == MEMORY_FILE) {
        if (writeParameterFile) writeParameterFile();
        return;
    }
    controls_.ControlsToParameterSet();
    const int s = flags_.parameterSetIndex;
    if (!SendBlock(static_cast<uint16_t>(s), ScalarWords(record_.scalars).data(), SCALAR_WORDS))
        return;
    if (!SendBlock(TableBlockParam(s), TableWords(record_.table).data(), TABLE_WORDS)) return;
    if (flags_.memorySelect == MEMORY_EEPROM)
        link_.Transact(BuildFrame(link_.buffers, ORDER_SAVE_EEPROM, 0, 0, 0));
}

bool ParameterTransfer::ReadBlock(uint16_t param, int bytes) {
    if (link_.Transact(BuildFrame(link_.buffers, ORDER_GET_PARAMETERS, 0, param, 0)) != 1)
        return false;
    if (!link_.RequireAnswerLength(bytes)) return false;
    link_.CopyToPayloadWords();
    return true;
}

void ParameterTransfer::GetParameters() {
    flags_.getPending = false;
    if (flags_.memorySelect == MEMORY_FILE) {
        if (readParameterFile) readParameterFile();
        return;
    }
    if (flags_.memorySelect == MEMORY_EEPROM) {
        if (link_.Transact(BuildFrame(link_.buffers, ORDER_LOAD_EEPROM, 0, 0, 0)) != 1) return;
        ReportSensorCount(link_, TransferTexts::EEPROM_COUNT);
    }
    const int s = flags_.parameterSetIndex;
    if (!ReadBlock(static_cast<uint16_t>(s), SCALAR_BLOCK_BYTES)) return;
    SetScalarWords(record_.scalars, link_.buffers.payloadWords);
    if (!ReadBlock(TableBlockParam(s), TABLE_BLOCK_BYTES)) return;
    SetTableWords(record_.table, link_.buffers.payloadWords);
    controls_.ParameterSetToControls();
    if (controls_.applyModeCascade) controls_.applyModeCascade();
    if (controls_.redrawTaughtColours) controls_.redrawTaughtColours();
}
