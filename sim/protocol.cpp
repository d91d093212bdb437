#include "protocol.h"

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

Reply SimSensor::Answer(const FrameAssembler::Request& request) {
    if (!request.dataOk) return {MakeFrame(ERROR_ANSWER, ERROR_CONTROL_UNIT)};
    const AnswerHeader header = DecodeHeader(reinterpret_cast<const uint8_t*>(request.frame.constData()));
    switch (header.order) {
        case ORDER_GET_FIRMWARE: {
            QByteArray text = firmware_.toLatin1();
            text.append('\0');
            return {MakeFrame(ORDER_GET_FIRMWARE, 0, text)};
        }
        case ORDER_SET_BAUDRATE:
            if (header.param > 4) return {MakeFrame(ERROR_ANSWER, ERROR_CONTROL_UNIT)};
            return {MakeFrame(ORDER_SET_BAUDRATE, 0), header.param};
        default:
            return {MakeFrame(ERROR_ANSWER, ERROR_UNKNOWN_ORDER)};
    }
}
