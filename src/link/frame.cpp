#include "link/frame.h"

#include <algorithm>

const std::array<uint8_t, 256>& Crc8Table() {
    static const std::array<uint8_t, 256> table = [] {
        std::array<uint8_t, 256> t{};
        for (int i = 0; i < 256; ++i) {
            uint8_t c = static_cast<uint8_t>(i);
            for (int bit = 0; bit < 8; ++bit)
                c = (c & 1) ? static_cast<uint8_t>((c >> 1) ^ 0x8C) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    return table;
}

uint8_t Crc8(const uint8_t* bytes, int start, int count) {
    const auto& table = Crc8Table();
    uint8_t crc = CRC_START;
    for (int i = 0; i < count; ++i) crc = table[crc ^ bytes[start + i]];
    return crc;
}

void WriteHeader(uint8_t* frame, uint8_t order, uint16_t param, uint16_t byteLength) {
    frame[0] = SYNC_BYTE;
    frame[1] = order;
    frame[2] = param & 0xFF;
    frame[3] = param >> 8;
    frame[4] = byteLength & 0xFF;
    frame[5] = byteLength >> 8;
    frame[6] = Crc8(frame, HEADER_BYTES, byteLength);  // 0xAA for an empty payload
    frame[7] = Crc8(frame, 0, 7);
}

int BuildFrame(FrameBuffers& buffers, uint8_t order, int wordCount, uint16_t param,
               uint16_t byteLength) {
    byteLength = std::min<uint16_t>(byteLength, MAX_PAYLOAD_BYTES);
    wordCount = std::clamp(wordCount, 0, byteLength / 2);
    uint8_t* payload = buffers.transmit + HEADER_BYTES;
    for (int k = 0; k < wordCount; ++k) {
        payload[2 * k] = buffers.payloadWords[k] & 0xFF;
        payload[2 * k + 1] = buffers.payloadWords[k] >> 8;
    }
    WriteHeader(buffers.transmit, order, param, byteLength);
    return HEADER_BYTES + byteLength;
}

bool HeaderIsCorrect(const uint8_t* header) {
    return Crc8(header, 0, HEADER_BYTES) == 0 && header[0] == SYNC_BYTE;
}

AnswerHeader DecodeHeader(const uint8_t* header) {
    AnswerHeader h;
    h.order = header[1];
    h.param = static_cast<uint16_t>(header[2] | header[3] << 8);
    h.length = static_cast<uint16_t>(header[4] | header[5] << 8);
    h.dataCrc = header[6];
    return h;
}

void UnpackWords(const uint8_t* bytes, int byteLength, uint16_t* words, int maxWords) {
    const int count = std::min(byteLength / 2, maxWords);
    for (int k = 0; k < count; ++k)
        words[k] = static_cast<uint16_t>(bytes[2 * k] | bytes[2 * k + 1] << 8);
}
