// The wire frame: CRC-8 and the exact bytes of built frames.
#include <gtest/gtest.h>

#include <vector>

#include "link/frame.h"

namespace {

uint8_t CrcOf(const std::string& text) {
    return Crc8(reinterpret_cast<const uint8_t*>(text.data()), 0, static_cast<int>(text.size()));
}

}  // namespace

TEST(Crc8, CheckValuesAndTableEntries) {
    EXPECT_EQ(CrcOf("123456789"), 0x6D);
    EXPECT_EQ(CrcOf("abc"), 0xDE);
    EXPECT_EQ(CrcOf(""), 0xAA);
    const auto& table = Crc8Table();
    EXPECT_EQ(table[0x00], 0x00);
    EXPECT_EQ(table[0x01], 0x5E);
    EXPECT_EQ(table[0x80], 0x8C);
    EXPECT_EQ(table[0xFF], 0x35);
}

struct FrameCase {
    const char* name;
    uint8_t order;
    uint16_t param;
    std::vector<uint16_t> words;
    std::vector<uint8_t> bytes;
};

class BuildFrameTest : public testing::TestWithParam<FrameCase> {};

TEST_P(BuildFrameTest, ProducesTheWireBytes) {
    const FrameCase& c = GetParam();
    FrameBuffers buffers;
    std::copy(c.words.begin(), c.words.end(), buffers.payloadWords);
    const int count = BuildFrame(buffers, c.order, static_cast<int>(c.words.size()), c.param,
                                 static_cast<uint16_t>(2 * c.words.size()));
    ASSERT_EQ(count, static_cast<int>(c.bytes.size()));
    EXPECT_EQ(std::vector<uint8_t>(buffers.transmit, buffers.transmit + count), c.bytes);
    EXPECT_EQ(Crc8(buffers.transmit, 0, HEADER_BYTES), 0) << "header residue";
    EXPECT_TRUE(HeaderIsCorrect(buffers.transmit));
}

INSTANTIATE_TEST_SUITE_P(
    Orders, BuildFrameTest,
    testing::Values(
        FrameCase{
            "GetData", ORDER_GET_DATA, 0, {}, {0x55, 0x08, 0x00, 0x00, 0x00, 0x00, 0xAA, 0x76}},
        FrameCase{"GetFirmware",
                  ORDER_GET_FIRMWARE,
                  0,
                  {},
                  {0x55, 0x07, 0x00, 0x00, 0x00, 0x00, 0xAA, 0x52}},
        FrameCase{"SetBaudrate4",
                  ORDER_SET_BAUDRATE,
                  4,
                  {},
                  {0x55, 0xBE, 0x04, 0x00, 0x00, 0x00, 0xAA, 0xDC}},
        FrameCase{
            "SendCalibration",
            ORDER_SEND_CALIBRATION,
            0,
            {1024, 1024, 1024},
            {0x55, 0x65, 0x00, 0x00, 0x06, 0x00, 0x73, 0xE5, 0x00, 0x04, 0x00, 0x04, 0x00, 0x04}}),
    [](const auto& info) { return info.param.name; });

TEST(BuildFrame, OversizedLengthStaysInsideTheTransmitFrame) {
    FrameBuffers buffers;
    const int count = BuildFrame(buffers, ORDER_SEND_PARAMETERS, PAYLOAD_WORDS, 0, 60000);
    EXPECT_EQ(count, FRAME_BYTES);
    EXPECT_EQ(DecodeHeader(buffers.transmit).length, MAX_PAYLOAD_BYTES);
}

TEST(HeaderIsCorrect, RejectsBadResidueAndWrongSync) {
    FrameBuffers buffers;
    BuildFrame(buffers, ORDER_GET_DATA, 0, 0, 0);
    uint8_t header[HEADER_BYTES];
    std::copy_n(buffers.transmit, HEADER_BYTES, header);
    header[7] ^= 1;
    EXPECT_FALSE(HeaderIsCorrect(header));
    // Consistent CRC, wrong sync byte.
    header[0] = 0x54;
    header[7] = Crc8(header, 0, 7);
    EXPECT_EQ(Crc8(header, 0, HEADER_BYTES), 0);
    EXPECT_FALSE(HeaderIsCorrect(header));
}

TEST(UnpackWords, KeepsWordsBeyondTheAnswer) {
    const uint8_t bytes[] = {0x34, 0x12, 0xFE, 0xFF, 0x99};
    uint16_t words[4] = {7, 7, 7, 7};
    UnpackWords(bytes, 5, words, 4);
    EXPECT_EQ(words[0], 0x1234);
    EXPECT_EQ(words[1], 0xFFFE);
    EXPECT_EQ(words[2], 7);
    EXPECT_EQ(words[3], 7);
}
