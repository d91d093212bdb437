// The simulated sensor's evaluation of a measurement against its teach table.
#include <gtest/gtest.h>

#include "evaluate.h"

namespace {

// Two taught rows in X Y INT - 2D: (1000, 2000) CTO 100, INT 1500 ITO 200, and
// (3000, 500) CTO 50, INT 800 ITO 100, in groups 4 and 9.
ParameterSet TwoRows(int evaluationMode, int calculationMode = CALC_XYINT_2D) {
    ParameterSet p{};
    p.scalars.evaluationMode = static_cast<uint16_t>(evaluationMode);
    p.scalars.calculationMode = static_cast<uint16_t>(calculationMode);
    p.scalars.maxVecNo = 2;
    p.scalars.colorGroup = 1;
    p.table[0] = {{1000, 2000, 100, 1500, 200}, 4, 10, 0};
    p.table[1] = {{3000, 500, 50, 800, 100}, 9, 10, 0};
    if (Is3D(calculationMode)) {
        p.table[0] = {{1000, 2000, 1500, 100, 1}, 4, 10, 0};
        p.table[1] = {{3000, 500, 800, 50, 1}, 9, 10, 0};
    }
    return p;
}

}  // namespace

TEST(SimEvaluation, HitsMissesAndGroupsInEachMode) {
    struct Case {
        const char* name;
        int evaluationMode;
        int calculationMode;
        Coordinates at;
        int colour, group, deltaC;
    };
    const Case cases[] = {
        {"first hit row 1", FIRST_HIT, CALC_XYINT_2D, {3000, 530, 820}, 1, 9, 30},
        {"first hit miss: distance to last row",
         FIRST_HIT,
         CALC_XYINT_2D,
         {3000, 600, 800},
         255,
         255,
         100},
        {"best hit row 0", BEST_HIT, CALC_XYINT_2D, {1000, 2060, 1400}, 0, 4, 60},
        {"best hit outside band", BEST_HIT, CALC_XYINT_2D, {1000, 2000, 1800}, 255, 255, -1},
        {"min dist nearest in band", MIN_DIST, CALC_XYINT_2D, {1500, 2000, 1500}, 0, 4, 500},
        {"min dist no band", MIN_DIST, CALC_XYINT_2D, {1500, 2000, 3000}, 255, 255, -1},
        {"3D hit", BEST_HIT, CALC_XYINT_3D, {1000, 2000, 1560}, 0, 4, 60},
        {"3D miss on intensity", BEST_HIT, CALC_XYINT_3D, {1000, 2000, 1700}, 255, 255, -1},
        {"s i M 2D hit", FIRST_HIT, CALC_SIM_2D, {1000, 2000, 1500}, 0, 4, 0},
    };
    for (const Case& c : cases) {
        const Evaluation e =
            Evaluate(TwoRows(c.evaluationMode, c.calculationMode), c.at, {0, 0, 0});
        EXPECT_EQ(e.colorNumber, c.colour) << c.name;
        EXPECT_EQ(e.groupNumber, c.group) << c.name;
        EXPECT_EQ(e.deltaC, c.deltaC) << c.name;
    }
}

TEST(SimEvaluation, LimitsGroupsAndOutputModes) {
    ParameterSet p = TwoRows(BEST_HIT);
    const Coordinates onRow1{3000, 500, 800};
    p.scalars.maxVecNo = 1;
    EXPECT_EQ(Evaluate(p, onRow1, {}).colorNumber, 255) << "row 1 beyond MAX VEC NO";
    p.scalars.maxVecNo = 2;
    p.scalars.intlim = 900;
    EXPECT_EQ(Evaluate(p, onRow1, {}).colorNumber, 255) << "below INTLIM";
    EXPECT_EQ(Evaluate(p, onRow1, {}).deltaC, -1);
    p.scalars.intlim = 0;
    p.scalars.colorGroup = 0;
    EXPECT_EQ(Evaluate(p, onRow1, {}).groupNumber, 255) << "groups off";

    ParameterSet col5 = TwoRows(COL5);
    col5.table[2] = col5.table[1];
    col5.scalars.maxVecNo = 5;
    EXPECT_EQ(Evaluate(col5, onRow1, {}).colorNumber, 0b110) << "rows 1 and 2 at once";
    EXPECT_EQ(Evaluate(col5, {500, 500, 500}, {}).colorNumber, 0) << "no row hit";

    ParameterSet thd = TwoRows(THD_RGB);
    thd.table[0].cell[0] = 1000;
    thd.table[1].cell[0] = 2000;
    thd.table[2].cell[0] = 3000;
    EXPECT_EQ(Evaluate(thd, {}, {1500, 1500, 3500}).colorNumber, 0b101);
}
