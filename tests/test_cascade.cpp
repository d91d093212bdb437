// The mode cascade, the colour limits and the group and hold tables on the real
// widgets, and a set that is out of line read from the sensor and sent back.
#include <gtest/gtest.h>

#include <QTest>

#include "params/cascade.h"
#include "support/rig.h"
#include "support/sample_parameters.h"
#include "ui/grid.h"

namespace {

// A starting state of the mode controls; -1 leaves a control as it is.
struct Modes {
    int led = LED_DC, exteach = EXTEACH_OFF, powerMode = POWER_STAT, evaluation = BEST_HIT;
    int calculation = CALC_XYINT_2D, trigger = TRIGGER_CONT, outmode = BINARY, maxVecNo = 4;
    bool groups = false;
};

void SetModes(Program& p, const Modes& m) {
    Ui::MAINP& ui = p.panels.mainUi;
    SetRing(ui.EditLedMode, m.led);
    SetRing(ui.EditExteach, m.exteach);
    p.paramControls.UpdateTriggerList();
    SetRing(ui.EditPmode, m.powerMode);
    SetRing(ui.EditEvalmode, m.evaluation);
    SetRing(ui.EditCalcmode, m.calculation);
    SetRing(ui.EditTrigger, m.trigger);
    SetRing(ui.EditDigOutmode, m.outmode);
    ui.EditMaxVecNo->setValue(m.maxVecNo);
    const QSignalBlocker quiet(ui.EditColorGroups);
    ui.EditColorGroups->setChecked(m.groups);
}

struct CascadeRig : Rig {
    CascadeRig() {
        program.window.show();
        program.panels.mainUi.SlidePower->setValue(700);
    }
    void Apply(const Modes& m) {
        SetModes(program, m);
        program.cascade.ApplyModeCascade();
    }
    Ui::MAINP& ui = program.panels.mainUi;
    Ui::DATAP& data = program.panels.datap.ui;
};

QStringList Headers(QTableWidget* grid) {
    QStringList headers;
    for (int c = 0; c < TEACH_CELLS; ++c) headers << grid->horizontalHeaderItem(c)->text();
    return headers;
}

bool Editable(QTableWidget* grid, int column) {
    return grid->item(0, column)->flags() & Qt::ItemIsEditable;
}

}  // namespace

TEST(ModeCascade, PowerStep) {
    struct Case {
        const char* name;
        Modes modes;
        int exteach, powerMode, power;
        bool powerModeOn, powerOn, dynWinOn;
    };
    const Case cases[] = {
        {"LED OFF with DYN1", {.led = LED_OFF, .exteach = EXTEACH_DYN1, .powerMode = POWER_DYN},
         EXTEACH_OFF, POWER_STAT, 0, false, false, false},
        {"DYN1 with DC", {.exteach = EXTEACH_DYN1, .powerMode = POWER_DYN}, EXTEACH_DYN1,
         POWER_STAT, 700, false, false, true},
        {"STAT1", {.exteach = EXTEACH_STAT1, .powerMode = POWER_DYN}, EXTEACH_STAT1, POWER_STAT,
         700, false, true, false},
        {"OFF and DYN", {.powerMode = POWER_DYN}, EXTEACH_OFF, POWER_DYN, 700, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CascadeRig r;
        r.Apply(c.modes);
        EXPECT_EQ(RingCode(r.ui.EditExteach), c.exteach);
        EXPECT_EQ(RingCode(r.ui.EditPmode), c.powerMode);
        EXPECT_EQ(r.ui.SlidePower->value(), c.power);
        EXPECT_EQ(r.ui.EditPmode->isEnabled(), c.powerModeOn);
        EXPECT_EQ(r.ui.SlidePower->isEnabled(), c.powerOn);
        EXPECT_EQ(r.ui.EditDynWinLo->isEnabled(), c.dynWinOn);
        EXPECT_EQ(r.ui.EditDynWinHi->isEnabled(), c.dynWinOn);
    }
}

TEST(ModeCascade, LightBackOnLeavesPowerAtZeroButOperable) {
    CascadeRig r;
    r.Apply({.led = LED_OFF});
    r.Apply({.led = LED_DC});
    EXPECT_EQ(r.ui.SlidePower->value(), 0);
    EXPECT_EQ(RingCode(r.ui.EditPmode), POWER_STAT);
    EXPECT_TRUE(r.ui.SlidePower->isEnabled());
    EXPECT_TRUE(r.ui.EditPmode->isEnabled());
    EXPECT_FALSE(r.ui.EditDynWinLo->isEnabled());
}

TEST(ModeCascade, EvaluationModesForceDimAndShow) {
    struct Case {
        const char* name;
        int evaluation;
        int maxVecNo, intlim, outmode, trigger;
        bool groupsOn, calcOn, hitDisplays;
        int leds;  // OUT0..OUT(n-1) shown
        QStringList headers;
        QList<int> pages;
    };
    const QStringList xy = {"X", "Y", "CTO", "INT", "ITO"};
    const Case cases[] = {
        {"BEST HIT", BEST_HIT, 12, 40, DIRECT_LO, TRIGGER_EXT2, true, true, true, 0, xy,
         {DATA_PAGE_RGB, DATA_PAGE_INT, DATA_PAGE_2D}},
        {"COL5", COL5, 5, 40, BINARY, TRIGGER_EXT2, false, true, false, 5, xy,
         {DATA_PAGE_RGB, DATA_PAGE_INT, DATA_PAGE_2D}},
        {"THD RGB", THD_RGB, 3, 0, BINARY, TRIGGER_CONT, false, false, false, 3,
         {"THD", "", "", "", ""}, {DATA_PAGE_RGB}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CascadeRig r;
        r.ui.EditIntlim->setValue(40);
        r.Apply({.evaluation = c.evaluation, .trigger = TRIGGER_EXT2, .outmode = DIRECT_LO,
                 .maxVecNo = 12, .groups = true});
        r.platform.shown.clear();  // the limit message has its own test
        EXPECT_EQ(r.ui.EditMaxVecNo->value(), c.maxVecNo) << "with groups on, 12 is within 31";
        EXPECT_EQ(r.ui.EditIntlim->value(), c.intlim);
        EXPECT_EQ(RingCode(r.ui.EditDigOutmode), c.outmode);
        EXPECT_EQ(RingCode(r.ui.EditTrigger), c.trigger);
        EXPECT_EQ(r.ui.EditColorGroups->isChecked(), c.groupsOn);
        EXPECT_EQ(r.ui.EditColorGroups->isEnabled(), c.groupsOn);
        EXPECT_EQ(r.ui.EditGridGroups->isEnabled(), c.groupsOn);
        EXPECT_EQ(r.ui.EditMaxVecNo->isEnabled(), c.evaluation == BEST_HIT);
        EXPECT_EQ(r.ui.EditCalcmode->isEnabled(), c.calcOn);
        QWidget* data = &r.program.panels.datap.widget;
        EXPECT_EQ(r.data.DispCOL->isVisibleTo(data), c.hitDisplays);
        EXPECT_EQ(r.data.DispDeltaC->isVisibleTo(data), c.hitDisplays);
        EXPECT_EQ(r.data.DispGroup->isVisibleTo(data), c.groupsOn);
        QLabel* leds[] = {r.data.LedOut0, r.data.LedOut1, r.data.LedOut2, r.data.LedOut3,
                          r.data.LedOut4};
        for (int i = 0; i < 5; ++i) EXPECT_EQ(leds[i]->isVisibleTo(data), i < c.leds) << i;
        EXPECT_EQ(Headers(r.ui.GridCtt), c.headers);
        for (int page = DATA_PAGE_RGB; page <= DATA_PAGE_3D; ++page)
            EXPECT_EQ(r.data.TabDataP1->isTabVisible(page), c.pages.contains(page)) << page;
    }
}

TEST(ModeCascade, BackFromThdRgbKeepsTheForcedValues) {
    CascadeRig r;
    r.ui.EditIntlim->setValue(40);
    r.Apply({.evaluation = THD_RGB, .trigger = TRIGGER_EXT1, .maxVecNo = 12});
    SetRing(r.ui.EditEvalmode, BEST_HIT);
    r.program.cascade.ApplyModeCascade();
    EXPECT_EQ(r.ui.EditMaxVecNo->value(), 3);
    EXPECT_EQ(r.ui.EditIntlim->value(), 0);
    EXPECT_EQ(RingCode(r.ui.EditTrigger), TRIGGER_CONT);
    for (QWidget* w : {static_cast<QWidget*>(r.ui.EditMaxVecNo),
                       static_cast<QWidget*>(r.ui.EditIntlim), static_cast<QWidget*>(r.ui.EditTrigger),
                       static_cast<QWidget*>(r.ui.EditCalcmode)})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
}

TEST(ModeCascade, MinDistLocksTheToleranceColumnOfItsFamily) {
    const struct {
        int calculation;
        bool column2, column3;
    } cases[] = {{CALC_XYINT_2D, false, true}, {CALC_SIM_3D, true, false}};
    for (const auto& c : cases) {
        CascadeRig r;
        r.Apply({.evaluation = MIN_DIST, .calculation = c.calculation});
        EXPECT_EQ(Editable(r.ui.GridCtt, 2), c.column2) << c.calculation;
        EXPECT_EQ(Editable(r.ui.GridCtt, 3), c.column3) << c.calculation;
        r.Apply({.evaluation = BEST_HIT, .calculation = c.calculation});
        EXPECT_TRUE(Editable(r.ui.GridCtt, 2) && Editable(r.ui.GridCtt, 3));
    }
}

TEST(ModeCascade, CalculationModeThreeHeadsTheTableAndTakesTheActivePage) {
    CascadeRig r;
    r.data.TabDataP1->setCurrentIndex(DATA_PAGE_2D);
    r.Apply({.calculation = CALC_SIM_3D});
    EXPECT_EQ(Headers(r.ui.GridCtt), (QStringList{"s", "i", "M", "TOL", ""}));
    EXPECT_EQ(r.data.TabDataP1->currentIndex(), DATA_PAGE_3D);
    EXPECT_FALSE(r.data.TabDataP1->isTabVisible(DATA_PAGE_2D));
    EXPECT_EQ(r.data.LabelDispX->text(), "s");
    r.data.TabDataP1->setCurrentIndex(DATA_PAGE_RGB);
    r.Apply({.calculation = CALC_SIM_2D});
    EXPECT_EQ(r.data.TabDataP1->currentIndex(), DATA_PAGE_RGB) << "a strip chart page stays";
    EXPECT_EQ(Headers(r.ui.GridCtt), (QStringList{"s", "i", "siTO", "M", "MTO"}));
}

TEST(ModeCascade, TriggerListAndTriggerStep) {
    CascadeRig r;
    r.Apply({.trigger = TRIGGER_EXT2});
    EXPECT_EQ(RingCode(r.ui.EditExteach), EXTEACH_OFF);
    EXPECT_FALSE(r.ui.EditExteach->isEnabled());
    EXPECT_FALSE(r.ui.SelectParaSet1->isEnabled());
    EXPECT_TRUE(r.ui.SelectParaSet0->isChecked());
    EXPECT_EQ(r.program.flags.parameterSetIndex, 0);
    EXPECT_TRUE(r.data.LedTrig->isVisibleTo(&r.program.panels.datap.widget));

    r.Apply({.trigger = TRIGGER_PARA});
    EXPECT_TRUE(r.ui.SelectParaSet0->isEnabled() && r.ui.SelectParaSet1->isEnabled());
    r.ui.SelectParaSet1->click();
    EXPECT_EQ(r.program.flags.parameterSetIndex, 1);

    r.Apply({.exteach = EXTEACH_ON, .trigger = TRIGGER_CONT});
    EXPECT_EQ(r.ui.EditTrigger->count(), 2);
    EXPECT_TRUE(r.ui.EditExteach->isEnabled());
    EXPECT_EQ(r.program.flags.parameterSetIndex, 0) << "leaving PARA selects set 0";
    r.Apply({.exteach = EXTEACH_OFF, .trigger = TRIGGER_CONT});
    EXPECT_EQ(r.ui.EditTrigger->count(), 7);
    EXPECT_EQ(r.ui.EditTrigger->itemText(6), "PARA");
    EXPECT_FALSE(r.data.LedTrig->isVisibleTo(&r.program.panels.datap.widget));
}

TEST(ModeCascade, SetWithExternTeachAndAnInputTriggerIsBroughtToCont) {
    CascadeRig r;
    ParameterSet set = SampleParameters();
    set.scalars.externTeach = EXTEACH_ON;
    set.scalars.trigger = TRIGGER_EXT3;
    r.program.parameterSet = set;
    r.program.cascade.ParametersArrived();
    EXPECT_EQ(r.ui.EditTrigger->currentIndex(), TRIGGER_CONT) << "not left blank";
    r.program.paramControls.ControlsToParameterSet();
    EXPECT_EQ(r.program.parameterSet.scalars.trigger, TRIGGER_CONT);
}

TEST(CheckColourLimits, LimitsMessagesAndRowLabels) {
    struct Case {
        const char* name;
        bool groups;
        int outmode, maxVecNo;
        QList<int> groupCells;  // rows 0.. of the GROUP TABLE
        int maxVecNoAfter;
        QList<int> groupCellsAfter;
        QString message;
        int page;
    };
    const Case cases[] = {
        {"direct, 12 rows", false, DIRECT_LO, 12, {}, 5, {}, LimitTexts::MAX_VEC_NO,
         PAGE_PARAMETER},
        {"binary, 31 rows", false, BINARY, 31, {}, 31, {}, "", PAGE_COMMUNICATION},
        {"groups, direct", true, DIRECT_HI, 31, {0, 4, 5, 7}, 31, {0, 4, 0, 0}, LimitTexts::GROUP,
         PAGE_GROUP_HOLD},
        {"groups, binary", true, BINARY, 2, {30, 31}, 2, {30, 0}, LimitTexts::GROUP,
         PAGE_GROUP_HOLD},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CascadeRig r;
        r.ui.TabMain1->setCurrentIndex(PAGE_COMMUNICATION);
        for (int i = 0; i < c.groupCells.size(); ++i)
            SetCellWord(r.ui.EditGridGroups, i, 0, static_cast<uint16_t>(c.groupCells[i]));
        SetModes(r.program, {.outmode = c.outmode, .maxVecNo = c.maxVecNo, .groups = c.groups});
        r.program.cascade.CheckColourLimits();
        EXPECT_EQ(r.ui.EditMaxVecNo->value(), c.maxVecNoAfter);
        for (int i = 0; i < c.groupCellsAfter.size(); ++i) {
            EXPECT_EQ(CellWord(r.ui.EditGridGroups, i, 0), c.groupCellsAfter[i]) << i;
            const bool reset = c.groupCells[i] != c.groupCellsAfter[i];
            EXPECT_EQ(r.ui.EditGridGroups->item(i, 0)->background().color(),
                      reset ? QColor(255, 0, 0) : QColor(255, 255, 255))
                << i;
        }
        ASSERT_EQ(r.platform.shown.size(), c.message.isEmpty() ? 0 : 1);
        if (!c.message.isEmpty()) {
            EXPECT_EQ(r.platform.shown[0].title, "INFO!");
            EXPECT_EQ(r.platform.shown[0].text, c.message);
        }
        EXPECT_EQ(r.ui.TabMain1->currentIndex(), c.page);
        // Rows 1..n of the row tables, 1..n+1 of HOLD (its failure row first), are active.
        const int n = c.maxVecNoAfter;
        const QColor green(0, 128, 0), red(255, 0, 0);
        for (QTableWidget* grid : {r.ui.GridCtt, r.ui.GridSpecification, r.ui.EditGridGroups})
            for (int row : {0, n - 1, n, TEACH_ROWS - 1})
                if (row < TEACH_ROWS)
                    EXPECT_EQ(grid->verticalHeaderItem(row)->foreground().color(),
                              row < n ? green : red)
                        << grid->objectName().toStdString() << " row " << row;
        for (int row : {n, n + 1})
            if (row <= TEACH_ROWS)
                EXPECT_EQ(r.ui.EditGridHold->verticalHeaderItem(row)->foreground().color(),
                          row <= n ? green : red)
                    << "HOLD row " << row;
    }
}

TEST(CheckColourLimits, ReadSetAboveTheLimitIsReportedNotClampedSilently) {
    CascadeRig r;
    ParameterSet set = SampleParameters();
    set.scalars.evaluationMode = BEST_HIT;
    set.scalars.colorGroup = 0;
    set.scalars.digitalOutmode = BINARY;
    set.scalars.maxVecNo = 40;
    r.program.parameterSet = set;
    r.program.cascade.ParametersArrived();
    ASSERT_EQ(r.platform.shown.size(), 1);
    EXPECT_EQ(r.platform.shown[0].text, LimitTexts::MAX_VEC_NO);
    EXPECT_EQ(r.ui.EditMaxVecNo->value(), 31);
    EXPECT_EQ(r.ui.TabMain1->currentIndex(), PAGE_PARAMETER);
}

TEST(ModeCascade, SecondRunOnUnchangedControlsChangesNothing) {
    CascadeRig r;
    r.Apply({.evaluation = COL5, .outmode = DIRECT_LO, .maxVecNo = 12});
    const int messages = static_cast<int>(r.platform.shown.size());
    r.program.paramControls.ControlsToParameterSet();
    const ParameterSet before = r.program.parameterSet;
    r.program.cascade.ApplyModeCascade();
    r.program.paramControls.ControlsToParameterSet();
    EXPECT_EQ(r.platform.shown.size(), messages);
    EXPECT_EQ(std::memcmp(&before, &r.program.parameterSet, sizeof before), 0);
}

TEST(GroupHoldTables, ResetsAskFirst) {
    for (bool yes : {true, false}) {
        SCOPED_TRACE(yes ? "yes" : "no");
        CascadeRig r;
        SetCellWord(r.ui.EditGridGroups, 3, 0, 2);
        r.ui.EditGridGroups->item(3, 0)->setBackground(QColor(255, 0, 0));
        r.ui.EditResetHold->setValue(25);
        r.platform.confirmAnswers = {yes, yes};
        r.ui.ButtonResetGroupTable->click();
        r.ui.ButtonResetHoldTable->click();
        ASSERT_EQ(r.platform.shown.size(), 2);
        EXPECT_EQ(r.platform.shown[0].title, "ATTENTION!");
        EXPECT_EQ(r.platform.shown[0].text, "Do you really want to reset the table?");
        EXPECT_EQ(CellWord(r.ui.EditGridGroups, 3, 0), yes ? 0 : 2);
        for (int row : {0, 1, TEACH_ROWS})
            EXPECT_EQ(CellWord(r.ui.EditGridHold, row, 0), yes ? 25 : 10) << row;
        if (yes) EXPECT_EQ(r.ui.EditGridGroups->item(3, 0)->background().color(), Qt::white);
    }
}

TEST(GroupHoldTables, TypedGroupIsHeldToTheOutputMode) {
    for (auto [typed, kept] : {std::pair{7, 0}, {4, 4}}) {
        CascadeRig r;
        r.Apply({.outmode = DIRECT_LO, .groups = true});
        r.ui.TabMain1->setCurrentIndex(PAGE_PARAMETER);
        QTableWidget* grid = r.ui.EditGridGroups;
        // As the operator does it: open the cell's editor, type, commit.
        grid->editItem(grid->item(5, 0));
        auto* editor = grid->viewport()->findChild<QSpinBox*>();
        ASSERT_NE(editor, nullptr);
        editor->setValue(typed);
        emit grid->itemDelegate()->commitData(editor);
        QCoreApplication::processEvents();  // the check runs once the editor has closed
        EXPECT_EQ(CellWord(grid, 5, 0), kept) << typed;
        EXPECT_EQ(grid->item(5, 0)->background().color(),
                  kept == typed ? QColor(255, 255, 255) : QColor(255, 0, 0));
        EXPECT_EQ(r.platform.shown.size(), kept == typed ? 0 : 1);
        EXPECT_EQ(r.ui.TabMain1->currentIndex(), PAGE_GROUP_HOLD);
    }
}

TEST(ModeCascade, OutOfLineSetFromTheSensorGoesBackCorrected) {
    Rig rig;
    Program& p = rig.program;
    rig.SelectSerial();
    p.comm.TryToConnect();
    ASSERT_TRUE(p.flags.linkOk);
    // Put an awkward set into the sensor's RAM behind the program's back.
    ParameterSet awkward = SampleParameters();
    awkward.scalars.evaluationMode = THD_RGB;
    awkward.scalars.maxVecNo = 12;
    awkward.scalars.digitalOutmode = DIRECT_LO;
    awkward.scalars.trigger = TRIGGER_EXT2;
    awkward.scalars.intlim = 300;
    awkward.scalars.externTeach = EXTEACH_OFF;
    ASSERT_TRUE(p.link.Request({.order = ORDER_SEND_PARAMETERS,
                                .param = ParaSet0,
                                .words = ScalarWords(awkward.scalars)}));
    p.flags.memorySelect = MemorySelect::Ram;
    p.transfer.GetParameters();
    rig.sim.ClearRequests();
    p.transfer.SendParameters();
    const QStringList requests = rig.sim.Requests();
    ASSERT_FALSE(requests.isEmpty());
    const QStringList bytes = requests[0].split(' ');
    ASSERT_EQ(bytes.size(), 8 + 36);
    const auto word = [&](int k) {
        return bytes[8 + 2 * k].toInt(nullptr, 16) | bytes[9 + 2 * k].toInt(nullptr, 16) << 8;
    };
    EXPECT_EQ(word(3), THD_RGB);
    EXPECT_EQ(word(5), 0) << "INTLIM";
    EXPECT_EQ(word(6), 3) << "MAX VEC NO";
    EXPECT_EQ(word(7), BINARY) << "DIGITAL OUTMODE";
    EXPECT_EQ(word(8), TRIGGER_CONT);
    EXPECT_EQ(word(13), 0) << "COLOR GROUP";
}
