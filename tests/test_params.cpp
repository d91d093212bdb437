// The parameter record: wire blocks and the 2D/3D rearrangement of teach rows.
#include <gtest/gtest.h>

#include "link/frame.h"
#include "core/parameterset.h"

namespace {

// The payload bytes of a block as BuildFrame puts them on the wire.
std::vector<uint8_t> WireBytes(const uint16_t* words, int count) {
    FrameBuffers buffers;
    std::copy_n(words, count, buffers.payloadWords);
    BuildFrame(buffers, ORDER_SEND_PARAMETERS, count, 0, static_cast<uint16_t>(2 * count));
    return {buffers.transmit + HEADER_BYTES, buffers.transmit + HEADER_BYTES + 2 * count};
}

}  // namespace

TEST(ParameterBlocks, WordsSitWhereTheSensorExpectsThem) {
    ParameterSet set{};
    set.scalars.power = 500;
    set.scalars.maxVecNo = 0x0A1F;
    set.table[30].group = 0x1234;
    set.table[30].hold = 0x5678;
    set.table[30].reserved = 0x9ABC;

    const auto scalar = WireBytes(ScalarWords(set.scalars).data(), SCALAR_WORDS);
    ASSERT_EQ(scalar.size(), 36u);
    EXPECT_EQ(scalar[0], 0xF4);
    EXPECT_EQ(scalar[1], 0x01);
    EXPECT_EQ(scalar[12], 0x1F);
    EXPECT_EQ(scalar[13], 0x0A);

    const auto table = WireBytes(TableWords(set.table).data(), TABLE_WORDS);
    ASSERT_EQ(table.size(), 496u);
    const std::vector<uint8_t> tail(table.begin() + 490, table.end());
    EXPECT_EQ(tail, (std::vector<uint8_t>{0x34, 0x12, 0x78, 0x56, 0xBC, 0x9A}));

    ParameterSet back{};
    SetTableWords(back.table, TableWords(set.table).data());
    EXPECT_EQ(back.table[30].reserved, 0x9ABC);
}

TEST(ConvertTeachVectors, CrossingFamiliesRearrangesWithinKeepsRows) {
    struct Case {
        int from, to;
        std::array<uint16_t, 5> before, after;
    };
    const Case cases[] = {
        {CALC_XYINT_2D, CALC_XYINT_3D, {100, 200, 30, 1000, 50}, {100, 200, 1000, 30, 1}},
        {CALC_XYINT_3D, CALC_XYINT_2D, {100, 200, 1000, 30, 1}, {100, 200, 30, 1000, 30}},
        {CALC_SIM_2D, CALC_SIM_3D, {1, 2, 3, 4, 5}, {1, 2, 4, 3, 1}},
        {CALC_XYINT_2D, CALC_SIM_2D, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}},
        {CALC_XYINT_3D, CALC_SIM_3D, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}},
    };
    for (const Case& c : cases) {
        TeachTable table{};
        for (TeachVector& row : table) {
            std::copy(c.before.begin(), c.before.end(), row.cell);
            row.group = 7;
            row.hold = 8;
            row.reserved = 9;
        }
        ConvertTeachVectors(table, c.from, c.to);
        for (const TeachVector& row : table) {
            EXPECT_EQ(std::vector<uint16_t>(row.cell, row.cell + 5),
                      std::vector<uint16_t>(c.after.begin(), c.after.end()))
                << c.from << " -> " << c.to;
            EXPECT_EQ(row.group, 7);
            EXPECT_EQ(row.hold, 8);
            EXPECT_EQ(row.reserved, 9);
        }
    }
}
