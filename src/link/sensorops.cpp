#include "link/sensorops.h"

#include <algorithm>

#include "link/link.h"

namespace {

constexpr int CALIBRATION_WORDS = 6;  // factors red, green, blue, then offsets

// Sends one block; its plausibility count lands in *count.
bool SendBlock(SensorLink& link, uint16_t param, std::span<const uint16_t> words, uint16_t& count) {
    if (!link.Request({.order = ORDER_SEND_PARAMETERS, .param = param, .words = words}))
        return false;
    count = ReportSensorCount(link, TransferTexts::RAM_COUNT);
    return true;
}

// Reads one block into the payload-words buffer; false when it failed or was short.
bool ReadBlock(SensorLink& link, uint16_t param, int bytes) {
    return link.Request({.order = ORDER_GET_PARAMETERS,
                         .param = param,
                         .answerBytes = bytes,
                         .copy = AnswerCopy::PayloadWords});
}

}  // namespace

uint16_t ReportSensorCount(SensorLink& link, const QString& memoryText) {
    const uint16_t count = link.answer.param;
    if (count != 0) link.ReportLinkError("INFO!\n" + QString::number(count) + memoryText);
    return count;
}

void TakeDataFrame(SensorLink& link, MeasurementFrame& frame) {
    link.CopyToMeasurement();
    DecodeMeasurementFrame(link.buffers.measurementWords, frame);
}

bool ReadFirmwareId(SensorLink& link) {
    if (!link.Request({.order = ORDER_GET_FIRMWARE})) return false;
    const uint8_t* text = link.buffers.receive + HEADER_BYTES;
    const int limit = std::min<int>(link.answer.length, FIRMWARE_ID_CHARS);
    int length = 0;
    while (length < limit && text[length] != 0) ++length;
    link.firmwareId = QString::fromLatin1(reinterpret_cast<const char*>(text), length);
    return true;
}

TransferResult SendParameterBlocks(SensorLink& link, const ParameterSet& set, int s,
                                   MemorySelect memory) {
    TransferResult result;
    if (!SendBlock(link, static_cast<uint16_t>(s), ScalarWords(set.scalars), result.scalarCount))
        return result;
    if (!SendBlock(link, TableBlockParam(s), TableWords(set.table), result.tableCount))
        return result;
    // The program goes on after a failed store order (it has been reported); a script
    // needs to know.
    if (memory == MemorySelect::Eeprom) result.saved = link.Request({.order = ORDER_SAVE_EEPROM});
    result.ok = true;
    return result;
}

TransferResult ReadParameterBlocks(SensorLink& link, ParameterSet& set, int s,
                                   MemorySelect memory) {
    TransferResult result;
    if (memory == MemorySelect::Eeprom) {
        if (!link.Request({.order = ORDER_LOAD_EEPROM})) return result;
        result.eepromCount = ReportSensorCount(link, TransferTexts::EEPROM_COUNT);
    }
    if (!ReadBlock(link, static_cast<uint16_t>(s), SCALAR_BLOCK_BYTES)) return result;
    SetScalarWords(set.scalars, link.buffers.payloadWords);
    if (!ReadBlock(link, TableBlockParam(s), TABLE_BLOCK_BYTES)) return result;
    SetTableWords(set.table, link.buffers.payloadWords);
    result.ok = true;
    return result;
}

bool ReadCalibrationValues(SensorLink& link, CalibrationValues& values) {
    if (!link.Request({.order = ORDER_GET_CALIBRATION,
                       .answerBytes = 2 * CALIBRATION_WORDS,
                       .copy = AnswerCopy::PayloadWords}))
        return false;
    const uint16_t* w = link.buffers.payloadWords;
    std::copy_n(w, 3, values.factors.begin());
    std::copy_n(w + 3, 3, values.offsets.begin());
    return true;
}

bool ReadHardwareWords(SensorLink& link) {
    return link.Request({.order = ORDER_GET_HARDWARE_INFO,
                         .param = HARDWARE_INFO_ACCESS,
                         .answerBytes = 2 * HARDWARE_WORDS,
                         .copy = AnswerCopy::Measurement});
}
