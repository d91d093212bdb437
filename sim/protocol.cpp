#include "protocol.h"

#include <array>
#include <vector>

#include "paramstore.h"
#include "sensormodel.h"

std::optional<FrameAssembler::Request> FrameAssembler::Next() {
    while (buffer_.size() >= HEADER_BYTES) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(buffer_.constData());
        const AnswerHeader header = DecodeHeader(bytes);
        if (!HeaderIsCorrect(bytes) || header.length > MAX_PAYLOAD_BYTES) {
            buffer_.remove(0, 1);
            continue;
        }
        const int total = HEADER_BYTES + header.length;
        if (buffer_.size() < total) return std::nullopt;
        Request request{buffer_.left(total),
                        Crc8(bytes, HEADER_BYTES, header.length) == header.dataCrc};
        buffer_.remove(0, total);
        return request;
    }
    return std::nullopt;
}

QByteArray MakeFrame(uint8_t order, uint16_t param, const QByteArray& payload) {
    const int length = std::min<int>(static_cast<int>(payload.size()), MAX_PAYLOAD_BYTES);
    QByteArray frame(HEADER_BYTES + length, '\0');
    auto* bytes = reinterpret_cast<uint8_t*>(frame.data());
    std::copy_n(payload.constData(), length, frame.data() + HEADER_BYTES);
    WriteHeader(bytes, order, param, static_cast<uint16_t>(length));
    return frame;
}

namespace {

std::vector<uint16_t> Words(const QByteArray& bytes) {
    std::vector<uint16_t> words(bytes.size() / 2);
    UnpackWords(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<int>(bytes.size()),
                words.data(), static_cast<int>(words.size()));
    return words;
}

// The device's hardware record: format, production date, serial number, board
// revisions, then a calibration table of the receiver.
std::array<uint16_t, 256> HardwareInfo() {
    std::array<uint16_t, 256> words{};
    const uint16_t head[] = {0x0001, 0xABCD, 0x2026, 0x1211, 0x0042, 0x1337, 0x0003, 0x0102};
    std::copy(std::begin(head), std::end(head), words.begin());
    for (int k = 8; k < 256; ++k) words[k] = static_cast<uint16_t>(0x0101 * (k % 256));
    return words;
}

// A signed 32-bit value, low byte first.
QByteArray Int32Bytes(int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    QByteArray bytes(4, '\0');
    for (int k = 0; k < 4; ++k) bytes[k] = static_cast<char>((v >> (8 * k)) & 0xFF);
    return bytes;
}

}  // namespace

QByteArray PackWords(const uint16_t* words, int count) {
    QByteArray bytes(2 * count, '\0');
    for (int k = 0; k < count; ++k) {
        bytes[2 * k] = static_cast<char>(words[k] & 0xFF);
        bytes[2 * k + 1] = static_cast<char>(words[k] >> 8);
    }
    return bytes;
}

SimSensor::SimSensor(QString firmware, ParamStore& store, SensorModel& model,
                     Calibration& calibration)
    : firmware_(std::move(firmware)),
      store_(store),
      model_(model),
      calibration_(calibration),
      scopeModel_(store, calibration) {
    clock_.start();
}

Reply SimSensor::Answer(const FrameAssembler::Request& request) {
    if (!request.dataOk) return {MakeFrame(ERROR_ANSWER, ERROR_CONTROL_UNIT)};
    const AnswerHeader header =
        DecodeHeader(reinterpret_cast<const uint8_t*>(request.frame.constData()));
    switch (header.order) {
        case ORDER_GET_FIRMWARE: {
            QByteArray text = firmware_.toLatin1();
            text.append('\0');
            return {MakeFrame(ORDER_GET_FIRMWARE, 0, text)};
        }
        case ORDER_GET_DATA: {
            const auto words = model_.Measure(clock_.elapsed() / 1000.0);
            return {MakeFrame(ORDER_GET_DATA, 0,
                              PackWords(words.data(), static_cast<int>(words.size())))};
        }
        case ORDER_GET_CALIBRATION: {
            const uint16_t words[6] = {calibration_.factor[0], calibration_.factor[1],
                                       calibration_.factor[2], calibration_.offset[0],
                                       calibration_.offset[1], calibration_.offset[2]};
            return {MakeFrame(ORDER_GET_CALIBRATION, 0, PackWords(words, 6))};
        }
        case ORDER_SEND_CALIBRATION:
            return TakeCalibration(header.param, request.frame.mid(HEADER_BYTES));
        case ORDER_SELF_CALIBRATION:
            if (header.param != 0) return {MakeFrame(ERROR_ANSWER, ERROR_CONTROL_UNIT)};
            return SelfCalibration();
        case ORDER_CALC_OFFSET: {
            if (header.param != 1) return {MakeFrame(ERROR_ANSWER, ERROR_CONTROL_UNIT)};
            const auto dark = SensorModel::DarkLevels();
            calibration_.Take(1, dark.data());
            return {MakeFrame(ORDER_CALC_OFFSET, 0)};
        }
        case ORDER_GET_HARDWARE_INFO:
            if (header.param != HARDWARE_INFO_ACCESS)
                return {MakeFrame(ERROR_ANSWER, ERROR_CONTROL_UNIT)};
            return {MakeFrame(ORDER_GET_HARDWARE_INFO, 0, PackWords(HardwareInfo().data(), 256))};
        case ORDER_SEND_PARAMETERS:
            return TakeParameters(header.param, request.frame.mid(HEADER_BYTES));
        case ORDER_GET_PARAMETERS:
            return GiveParameters(header.param);
        case ORDER_SAVE_EEPROM:
            store_.SaveEeprom();
            return {MakeFrame(ORDER_SAVE_EEPROM, 0)};
        case ORDER_LOAD_EEPROM:
            return {MakeFrame(ORDER_LOAD_EEPROM, static_cast<uint16_t>(store_.LoadEeprom()))};
        case ORDER_TRIGGERED_SEND:
            if (header.param > 1) return {MakeFrame(ERROR_ANSWER, ERROR_CONTROL_UNIT)};
            return {MakeFrame(ORDER_TRIGGERED_SEND, 0)};
        case ORDER_GET_CYCLE_TIME:
            return CycleTime(header.param);
        case ORDER_SCOPE_SCAN:
            return Scope(header.param, request.frame.mid(HEADER_BYTES));
        case ORDER_SET_BAUDRATE:
            if (header.param > 4) return {MakeFrame(ERROR_ANSWER, ERROR_CONTROL_UNIT)};
            return {MakeFrame(ORDER_SET_BAUDRATE, 0), header.param};
        default:
            return {MakeFrame(ERROR_ANSWER, ERROR_UNKNOWN_ORDER)};
    }
}

Reply SimSensor::TakeParameters(uint16_t param, const QByteArray& payload) {
    const int set = param & 1;
    const std::vector<uint16_t> words = Words(payload);
    int count = -1;
    if (param <= 1 && payload.size() == SCALAR_BLOCK_BYTES)
        count = store_.TakeScalars(set, words.data());
    if (param >= 2 && param <= 3 && payload.size() == TABLE_BLOCK_BYTES)
        count = store_.TakeTable(set, words.data());
    if (count < 0) return {MakeFrame(ERROR_ANSWER, ERROR_CONTROL_UNIT)};
    return {MakeFrame(ORDER_SEND_PARAMETERS, static_cast<uint16_t>(count))};
}

bool SimSensor::In0Now() const { return SensorModel::In0(clock_.elapsed() / 1000.0); }

QByteArray SimSensor::TriggeredFrame() {
    const auto words = model_.Measure(clock_.elapsed() / 1000.0);
    return MakeFrame(ORDER_TRIGGERED_SEND, 0,
                     PackWords(words.data(), static_cast<int>(words.size())));
}

Reply SimSensor::TakeCalibration(uint16_t param, const QByteArray& payload) {
    if (param > 1 || payload.size() != 6) return {MakeFrame(ERROR_ANSWER, ERROR_CONTROL_UNIT)};
    const std::vector<uint16_t> words = Words(payload);
    const int count = calibration_.Take(param, words.data());
    return {MakeFrame(ORDER_SEND_CALIBRATION, static_cast<uint16_t>(count))};
}

Reply SimSensor::SelfCalibration() {
    // The factors that bring the current target to the set value; the PC decides
    // whether to send them.
    constexpr uint16_t SET_VALUE = 2000, MAX_DELTA = 1000;
    const auto raw = model_.Raw(clock_.elapsed() / 1000.0);
    uint16_t words[5] = {0, 0, 0, SET_VALUE, MAX_DELTA};
    for (int i = 0; i < 3; ++i)
        words[i] = static_cast<uint16_t>(std::min(SET_VALUE * 1024 / std::max(raw[i], 1), 4096));
    return {MakeFrame(ORDER_SELF_CALIBRATION, 0, PackWords(words, 5))};
}

Reply SimSensor::GiveParameters(uint16_t param) {
    if (param > 3) return {MakeFrame(ERROR_ANSWER, ERROR_CONTROL_UNIT)};
    const ParameterSet& set = store_.Ram(param & 1);
    if (param <= 1)
        return {MakeFrame(ORDER_GET_PARAMETERS, 0,
                          PackWords(ScalarWords(set.scalars).data(), SCALAR_WORDS))};
    return {
        MakeFrame(ORDER_GET_PARAMETERS, 0, PackWords(TableWords(set.table).data(), TABLE_WORDS))};
}

Reply SimSensor::CycleTime(uint16_t param) const {
    if (param != 0) return {MakeFrame(ERROR_ANSWER, ERROR_CONTROL_UNIT)};
    const CycleTimeCounts counts = CountCycleTime();
    return {MakeFrame(ORDER_GET_CYCLE_TIME, 0, Int32Bytes(counts.a) + Int32Bytes(counts.b))};
}

Reply SimSensor::Scope(uint16_t param, const QByteArray& payload) const {
    if (param == 0 && payload.isEmpty())
        return {MakeFrame(ORDER_SCOPE_SCAN, 0), -1, ScopeCommand::Break};
    if (param != 1 || payload.size() != 2 * SCOPE_SETTINGS_WORDS)
        return {MakeFrame(ERROR_ANSWER, ERROR_CONTROL_UNIT)};
    std::array<uint16_t, SCOPE_SETTINGS_WORDS> words{};
    UnpackWords(reinterpret_cast<const uint8_t*>(payload.constData()),
                static_cast<int>(payload.size()), words.data(), SCOPE_SETTINGS_WORDS);
    const std::optional<ScopeSettings> settings = ParseScopeSettings(words);
    if (!settings) return {MakeFrame(ERROR_ANSWER, ERROR_CONTROL_UNIT)};
    return {MakeFrame(ORDER_SCOPE_SCAN, 0), -1, ScopeCommand::Start, *settings};
}

ScopeSample SimSensor::ScopeSampleAt(double t, uint16_t signal) {
    // The first samples of a scan right after start-up would lie before the sensor's time 0.
    t = std::max(t, 0.0);
    scopeModel_.whiteTarget = model_.whiteTarget;
    const auto words = scopeModel_.Measure(t);
    const size_t first = signal == 1 ? 3 : 0;  // X Y INT (s i M) or R G B
    const uint16_t in0 = SensorModel::In0(t) ? STATE_IN0 : 0;
    return {{words[first], words[first + 1], words[first + 2]},
            static_cast<uint16_t>(scopeModel_.Outputs() | in0),
            words[7]};
}
