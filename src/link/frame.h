#pragma once
// The sensor's wire frame: an 8-byte header guarded by its own CRC-8, then an
// optional payload of little-endian 16-bit words guarded by a second CRC-8.

#include <array>
#include <cstdint>

constexpr int HEADER_BYTES = 8;
constexpr int FRAME_BYTES = 2048;
constexpr int MAX_PAYLOAD_BYTES = FRAME_BYTES - HEADER_BYTES;  // 2040
constexpr int PAYLOAD_WORDS = 1024;
constexpr uint8_t SYNC_BYTE = 0x55;
constexpr uint8_t CRC_START = 0xAA;

enum Order : uint8_t {
    ERROR_ANSWER = 0,  // order byte of an answer that carries an error code in param
    ORDER_SEND_PARAMETERS = 1,
    ORDER_GET_PARAMETERS = 2,
    ORDER_SAVE_EEPROM = 3,
    ORDER_LOAD_EEPROM = 4,
    ORDER_GET_FIRMWARE = 7,
    ORDER_GET_DATA = 8,
    ORDER_TRIGGERED_SEND = 30,
    ORDER_CALC_OFFSET = 100,
    ORDER_SEND_CALIBRATION = 101,
    ORDER_GET_CALIBRATION = 102,
    ORDER_SELF_CALIBRATION = 103,
    ORDER_GET_CYCLE_TIME = 105,
    ORDER_SCOPE_SCAN = 110,
    ORDER_SET_BAUDRATE = 190,
    ORDER_GET_HARDWARE_INFO = 194,
};

// Error codes carried in the param of an ERROR_ANSWER.
constexpr uint16_t ERROR_UNKNOWN_ORDER = 1;
constexpr uint16_t ERROR_CONTROL_UNIT = 2;

// Access value the sensor demands before it hands out its hardware information.
constexpr uint16_t HARDWARE_INFO_ACCESS = 15454;
// Words of hardware information the sensor answers with.
constexpr int HARDWARE_WORDS = 256;

// Table of the reflected polynomial 0x8C (x^8 + x^5 + x^4 + 1, LSB first).
const std::array<uint8_t, 256>& Crc8Table();

// CRC-8 with start value 0xAA and no final XOR over count bytes from bytes[start].
// A correct header (bytes 0..6 followed by their CRC) therefore leaves a residue of 0.
uint8_t Crc8(const uint8_t* bytes, int start, int count);

// The buffers all sensor operations share; one instance lives as long as the link.
struct FrameBuffers {
    uint8_t transmit[FRAME_BYTES] = {};
    uint8_t receive[FRAME_BYTES] = {};
    uint16_t payloadWords[PAYLOAD_WORDS] = {};
    uint16_t measurementWords[PAYLOAD_WORDS] = {};
};

// Fields of an answer header that passed CheckHeader.
struct AnswerHeader {
    uint8_t order = 0;
    uint16_t param = 0;
    uint16_t length = 0;
    uint8_t dataCrc = 0;
};

// Fills header bytes 0..7 of frame for a payload of byteLength bytes that already
// stands at frame + 8. Shared by the program and the simulated sensor.
void WriteHeader(uint8_t* frame, uint8_t order, uint16_t param, uint16_t byteLength);

// Packs the first wordCount payload words (low byte first) behind the header of the
// transmit frame and writes the header. Returns the number of bytes to send.
// Word count and length are clamped to the frame, so a caller's mistake cannot
// write past the transmit buffer.
int BuildFrame(FrameBuffers& buffers, uint8_t order, int wordCount, uint16_t param,
               uint16_t byteLength);

// True when the CRC residue over all 8 header bytes is 0 and byte 0 is the sync byte.
bool HeaderIsCorrect(const uint8_t* header);

AnswerHeader DecodeHeader(const uint8_t* header);

// Unpacks byteLength / 2 little-endian words, at most maxWords; words beyond keep
// their earlier contents.
void UnpackWords(const uint8_t* bytes, int byteLength, uint16_t* words, int maxWords);
