// Teach table editing and the direct teach on the real widgets, and a taught row
// that the simulated sensor then reports.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <qcustomplot.h>

#include "support/rig.h"
#include "teach/teachmath.h"
#include "ui/grid.h"

namespace {

QList<int> Cells(QTableWidget* grid, int rows, int columns) {
    QList<int> values;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) values << CellWord(grid, r, c);
    return values;
}

void Select(QTableWidget* grid, int top, int left, int bottom, int right) {
    grid->clearSelection();
    grid->setRangeSelected(QTableWidgetSelectionRange(top, left, bottom, right), true);
}

int VisibleEllipses(QCustomPlot* plot) {
    int n = 0;
    for (int i = 0; i < plot->itemCount(); ++i)
        if (qobject_cast<QCPItemEllipse*>(plot->item(i)) && plot->item(i)->visible()) ++n;
    return n;
}

}  // namespace

TEST(TeachMath, RepliesAndSeries) {
    const std::pair<const char*, std::optional<long long>> replies[] = {
        {"10", 10}, {" -30", -30}, {"+7abc", 7}, {"abc", std::nullopt}, {"", std::nullopt},
        {"0x10", 0}};
    for (auto [reply, value] : replies) EXPECT_EQ(LeadingInteger(reply), value) << reply;
    EXPECT_EQ(NextInSeries(10, -30), 65516);
    EXPECT_EQ(NextInSeries(65535, 1), 0);
    EXPECT_EQ(NextInSeries(100, 65536 * 3 + 5), 105);
}

TEST(TeachMath, DefaultTolerancesByMode) {
    const struct {
        int evaluation, calculation, power;
        DefaultTolerance tolerance;
    } cases[] = {
        {FIRST_HIT, CALC_XYINT_2D, POWER_STAT, {100, 100}}, {COL5, CALC_XYINT_2D, POWER_DYN, {100, 50}},
        {BEST_HIT, CALC_XYINT_2D, POWER_STAT, {200, 200}},  {BEST_HIT, CALC_XYINT_2D, POWER_DYN, {200, 100}},
        {MIN_DIST, CALC_XYINT_2D, POWER_STAT, {40, 200}},   {MIN_DIST, CALC_XYINT_2D, POWER_DYN, {40, 100}},
        {FIRST_HIT, CALC_SIM_2D, POWER_DYN, {100, 50}},     {BEST_HIT, CALC_SIM_2D, POWER_STAT, {200, 50}},
        {MIN_DIST, CALC_SIM_2D, POWER_STAT, {40, 50}},      {FIRST_HIT, CALC_XYINT_3D, POWER_DYN, {100, 1}},
        {BEST_HIT, CALC_SIM_3D, POWER_STAT, {200, 1}},      {MIN_DIST, CALC_XYINT_3D, POWER_STAT, {40, 1}},
    };
    for (const auto& c : cases) {
        const DefaultTolerance t = DefaultToleranceFor(c.evaluation, c.calculation, c.power);
        EXPECT_EQ(t.colour, c.tolerance.colour) << c.evaluation << c.calculation << c.power;
        EXPECT_EQ(t.second, c.tolerance.second) << c.evaluation << c.calculation << c.power;
    }
}

TEST(TeachTable, SelectionActions) {
    struct Case {
        const char* name;
        std::function<void(TeachTableEditor&)> action;
        QList<std::optional<QString>> replies;
        std::array<int, 4> selection;  // top, left, bottom, right
        QList<int> rows0to2;           // columns 0 and 1 of rows 0..2 afterwards
        int column4Row0;
    };
    const auto increment = [](TeachTableEditor& e) { e.IncrementSelectionWith(); };
    const auto set = [](TeachTableEditor& e) { e.SetSelectionTo(); };
    const auto reset = [](TeachTableEditor& e) { e.ResetSelection(); };
    const QList<int> untouched = {100, 7, 7, 7, 7, 7};
    const Case cases[] = {
        {"increment +10", increment, {"10"}, {0, 0, 2, 1}, {100, 110, 120, 130, 140, 150}, 7},
        {"increment -30 wraps", increment, {"-30"}, {0, 0, 2, 1},
         {100, 70, 40, 10, 65516, 65486}, 7},
        {"set over the colour column", set, {"42"}, {0, 4, 0, 5}, untouched, 42},
        {"colour column alone", set, {"42"}, {0, 5, 2, 5}, untouched, 7},
        {"colour column alone, reset", reset, {}, {0, 5, 2, 5}, untouched, 7},
        {"colour column alone, increment: not even asked", increment, {}, {0, 5, 2, 5}, untouched, 7},
        {"reply beyond a word", set, {"70000"}, {0, 4, 0, 4}, untouched, 65535},
        {"cancelled prompt", set, {std::nullopt}, {0, 0, 2, 1}, untouched, 7},
        {"reply without a number", increment, {"ten"}, {0, 0, 2, 1}, untouched, 7},
        {"reset writes 1", reset, {}, {0, 0, 2, 1}, {1, 1, 1, 1, 1, 1}, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        Program& p = rig.program;
        QTableWidget* grid = p.panels.mainUi.GridCtt;
        for (int r = 0; r < 3; ++r)
            for (int col = 0; col < TEACH_CELLS; ++col) SetCellWord(grid, r, col, 7);
        SetCellWord(grid, 0, 0, 100);
        rig.platform.promptAnswers = c.replies;
        Select(grid, c.selection[0], c.selection[1], c.selection[2], c.selection[3]);
        c.action(p.teachTable);
        EXPECT_EQ(Cells(grid, 3, 2), c.rows0to2);
        EXPECT_EQ(CellWord(grid, 0, 4), c.column4Row0);
        if (!c.replies.isEmpty()) {
            ASSERT_FALSE(rig.platform.shown.isEmpty());
            EXPECT_EQ(rig.platform.shown.last().title, "VALUE!");
            EXPECT_EQ(rig.platform.shown.last().text, "Insert a cell value!");
        }
        // The record follows every action that changed the grid.
        if (c.rows0to2 != untouched || c.column4Row0 != 7)
            EXPECT_EQ(p.parameterSet.table[0].cell[4], CellWord(grid, 0, 4));
    }
}

TEST(TeachTable, ContextMenuAndToleranceSwitch) {
    Rig rig;
    Program& p = rig.program;
    QMenu* menu = p.panels.mainUi.GridCtt->findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    QStringList entries;
    for (QAction* a : menu->actions()) entries << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(entries, (QStringList{"Help", "-", "Set selection to", "Increment selection with",
                                    "Reset selection", "-", "Teach tolerance off",
                                    "Teach tolerance on"}));
    QAction* off = menu->actions()[6];
    QAction* on = menu->actions()[7];
    EXPECT_TRUE(off->isEnabled());
    EXPECT_FALSE(on->isEnabled());
    off->trigger();
    EXPECT_TRUE(p.flags.teachToleranceOff);
    EXPECT_FALSE(off->isEnabled());
    EXPECT_TRUE(on->isEnabled());
    menu->actions()[0]->trigger();
    ASSERT_EQ(rig.platform.shown.size(), 1);
    EXPECT_EQ(rig.platform.shown[0].title, "INFO!");
    EXPECT_TRUE(rig.platform.shown[0].text.startsWith(
        "Change cell value with a left double click or with F2. \n\n"));
}

TEST(TeachTable, ResetAsksThenWritesOnesAndClearsTheGraphs) {
    for (bool yes : {false, true}) {
        Rig rig;
        Program& p = rig.program;
        Ui::MAINP& m = p.panels.mainUi;
        p.parameterSet.table[2] = {{1000, 2000, 100, 3000, 100}, 0, 0, 0};
        p.paramControls.ParameterSetToControls();
        p.graphs.DrawTeachTolerances();
        m.EditNo->setValue(7);
        rig.platform.confirmAnswers = {yes};
        m.ButtonResetTable->click();
        EXPECT_EQ(rig.platform.shown.size(), 1);
        EXPECT_EQ(CellWord(m.GridCtt, 2, 0), yes ? 1 : 1000);
        EXPECT_EQ(m.EditNo->value(), yes ? 0 : 7);
        EXPECT_EQ(VisibleEllipses(p.panels.datap.ui.Graph2D), yes ? 0 : TEACH_ROWS);
        EXPECT_EQ(p.parameterSet.table[2].cell[0], 1000) << "the record waits for the next edit";
    }
}

TEST(TeachIntoRow, WritesTheRowByModes) {
    struct Case {
        const char* name;
        int evaluation, calculation, power, row;
        bool toleranceOff, autoIncrement;
        QList<int> rowAfter;
        int noAfter;
    };
    const Case cases[] = {
        {"BEST HIT 2D", BEST_HIT, CALC_XYINT_2D, POWER_STAT, 4, false, true,
         {11, 22, 200, 33, 200}, 5},
        {"BEST HIT 2D DYN", BEST_HIT, CALC_XYINT_2D, POWER_DYN, 4, false, true,
         {11, 22, 200, 33, 100}, 5},
        {"MIN DIST s i M 2D", MIN_DIST, CALC_SIM_2D, POWER_STAT, 4, false, false,
         {11, 22, 40, 33, 50}, 4},
        {"FIRST HIT 3D", FIRST_HIT, CALC_XYINT_3D, POWER_STAT, 4, false, false,
         {11, 22, 33, 100, 1}, 4},
        {"tolerance off", BEST_HIT, CALC_XYINT_2D, POWER_STAT, 4, true, false,
         {11, 22, 9, 33, 9}, 4},
        {"row 30 stays", BEST_HIT, CALC_XYINT_2D, POWER_STAT, 30, false, true,
         {11, 22, 200, 33, 200}, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        Program& p = rig.program;
        Ui::MAINP& m = p.panels.mainUi;
        for (int col = 0; col < TEACH_CELLS; ++col) SetCellWord(m.GridCtt, c.row, col, 9);
        p.flags.teachToleranceOff = c.toleranceOff;
        m.RadioInc->setChecked(c.autoIncrement);
        m.EditNo->setValue(c.row);
        p.teachTable.TeachIntoRow(
            {11, 22, 33, 1000, 2000, 3000, c.row, c.calculation, c.evaluation, c.power});
        QList<int> row;
        for (int col = 0; col < TEACH_CELLS; ++col) row << CellWord(m.GridCtt, c.row, col);
        EXPECT_EQ(row, c.rowAfter);
        EXPECT_EQ(m.EditNo->value(), c.noAfter);
    }
}

TEST(TeachIntoRow, ThdRgbThresholdsAndTheAutomaticColour) {
    Rig rig;
    Program& p = rig.program;
    Ui::MAINP& m = p.panels.mainUi;
    MeasurementFrame shown{};
    shown.red = 1600;  // swatch 0x640000
    p.displays.UpdateLiveDisplays(shown, BEST_HIT);
    p.displays.Flush();
    m.EditSetColor->setCurrentIndex(1);  // Automatically
    m.RadioInc->setChecked(true);
    m.EditNo->setValue(6);
    p.teachTable.TeachIntoRow({11, 22, 33, 1000, 2000, 3000, 6, CALC_XYINT_2D, THD_RGB, POWER_STAT});
    EXPECT_EQ((QList<int>{CellWord(m.GridCtt, 0, 0), CellWord(m.GridCtt, 1, 0),
                          CellWord(m.GridCtt, 2, 0), CellWord(m.GridCtt, 6, 0)}),
              (QList<int>{1000, 2000, 3000, 1}));
    EXPECT_EQ(m.EditNo->value(), 6);
    EXPECT_EQ(p.attributes.rowColors[6], 0x640000u);
    for (auto [grid, row, column] : {std::tuple{m.GridCtt, 6, 5}, {m.GridSpecification, 6, 1},
                                     {m.EditGridGroups, 6, 1}, {m.EditGridHold, 7, 1}})
        EXPECT_EQ(grid->item(row, column)->background().color(), QColor(0x64, 0, 0))
            << grid->objectName().toStdString();
}

TEST(TeachDataTo, TheSensorReportsTheTaughtRow) {
    Rig rig;
    Program& p = rig.program;
    Ui::MAINP& m = p.panels.mainUi;
    rig.SelectTcp();
    p.comm.TryToConnect();
    ASSERT_TRUE(p.flags.linkOk);
    // One frame of the surface the sensor sees now.
    int frames = 0;
    QObject::connect(&p.acquisition, &AcquisitionLoop::FrameArrived, &p, [&] {
        if (++frames == 3) p.flags.goRunning = false;
    });
    m.ButtonGo->click();
    p.displays.Flush();
    rig.platform.confirmAnswers = {true};
    m.ButtonResetTable->click();
    SetRing(m.EditEvalmode, BEST_HIT);
    m.EditNo->setValue(0);
    m.ButtonTeachDataTo->click();
    m.EditMaxVecNo->setValue(1);
    m.ButtonSend->click();
    ASSERT_TRUE(p.flags.linkOk);
    // The taught surface comes round again within the sensor's cycle of surfaces.
    bool reported = false;
    QObject::disconnect(&p.acquisition, nullptr, &p, nullptr);
    QObject::connect(&p.acquisition, &AcquisitionLoop::FrameArrived, &p,
                     [&](const MeasurementFrame& f) {
                         if (f.colorNumber == 0) reported = true;
                         if (reported) p.flags.goRunning = false;
                     });
    QTimer::singleShot(15000, &p, [&] { p.flags.goRunning = false; });
    m.ButtonGo->click();
    EXPECT_TRUE(reported);
}

TEST(TeachMath, MeansAndScatterOfTheWorkedExample) {
    const std::vector<CapturedFrame> frames = {
        {0, 0, 0, 1000, 2000, 1500}, {0, 0, 0, 1010, 2000, 1520}, {0, 0, 0, 990, 2003, 1490}};
    const CapturedFrame means = MeanOf(frames);
    EXPECT_EQ((std::array<int, 3>{means[3], means[4], means[5]}),
              (std::array<int, 3>{1000, 2001, 1503}));
    const Scatter flat = ScatterOf(frames, means, false);
    EXPECT_EQ(flat.colour, 10);
    EXPECT_EQ(flat.intensity, 17);
    EXPECT_EQ(ScatterOf(frames, means, true).colour, 19);
    EXPECT_EQ(MeanOf({{65535, 0, 0, 0, 0, 0}, {65535, 0, 0, 0, 0, 0}})[0], 65535);
    EXPECT_EQ(MeanOf({})[3], 0);
}

namespace {

struct MeanRig : Rig {
    void CaptureFrame(int x, int y, int intensity) {
        MeasurementFrame& f = program.acquisition.frame;
        f.x = static_cast<uint16_t>(x);
        f.y = static_cast<uint16_t>(y);
        f.intensity = static_cast<uint16_t>(intensity);
        program.panels.teachp1.ui.ButtonTP1Capture->click();
    }
    void CaptureExample() {
        CaptureFrame(1000, 2000, 1500);
        CaptureFrame(1010, 2000, 1520);
        CaptureFrame(990, 2003, 1490);
    }
    QList<int> Row(int row) {
        QList<int> cells;
        for (int c = 0; c < TEACH_CELLS; ++c)
            cells << CellWord(program.panels.mainUi.GridCtt, row, c);
        return cells;
    }
    Ui::TEACHP1& tp1 = program.panels.teachp1.ui;
    Ui::MAINP& m = program.panels.mainUi;
};

}  // namespace

TEST(MeanValueTeach, TeachesTheMeanWithTheChosenTolerances) {
    struct Case {
        const char* name;
        int evaluation, calculation, colourChoice, intensityChoice;
        QList<int> row;
    };
    const Case cases[] = {
        {"2D, distance plus value / distance", BEST_HIT, CALC_XYINT_2D, 2, 1,
         {1000, 2001, 60, 1503, 17}},
        {"2D, values", BEST_HIT, CALC_XYINT_2D, 0, 0, {1000, 2001, 50, 1503, 30}},
        {"2D, keep", BEST_HIT, CALC_XYINT_2D, 3, 3, {1000, 2001, 9, 1503, 9}},
        {"MIN DIST 2D", MIN_DIST, CALC_XYINT_2D, 1, 1, {1000, 2001, 40, 1503, 17}},
        {"3D, distance", BEST_HIT, CALC_SIM_3D, 1, 0, {1000, 2001, 1503, 19, 9}},
        {"MIN DIST 3D", MIN_DIST, CALC_XYINT_3D, 0, 0, {1000, 2001, 1503, 40, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MeanRig r;
        SetRing(r.m.EditEvalmode, c.evaluation);
        SetRing(r.m.EditCalcmode, c.calculation);
        for (int col = 0; col < TEACH_CELLS; ++col) SetCellWord(r.m.GridCtt, 3, col, 9);
        r.m.EditNo->setValue(3);
        r.m.RadioInc->setChecked(true);
        r.CaptureExample();
        r.tp1.EditTP1TeachCtoWith->setCurrentIndex(c.colourChoice);
        r.tp1.EditTP1TeachItoWith->setCurrentIndex(c.intensityChoice);
        r.tp1.EditTP1ValueCto->setValue(50);
        r.tp1.EditTP1ValueIto->setValue(30);
        r.tp1.ButtonTP1Teach->click();
        EXPECT_EQ(r.Row(3), c.row);
        EXPECT_EQ(r.m.EditNo->value(), 4);
        EXPECT_EQ(r.program.parameterSet.table[3].cell[0], 1000) << "the record follows";
    }
}

TEST(MeanValueTeach, CaptureUndoAndReset) {
    MeanRig r;
    r.CaptureExample();
    EXPECT_EQ(r.tp1.DispTP1Counter->text(), "3");
    EXPECT_EQ(r.tp1.DispTP1MaxDeltaXY->text(), "10");
    EXPECT_EQ(r.tp1.DispTP1MaxDeltaInt->text(), "17");
    EXPECT_EQ(CellWord(r.tp1.GridTP1Mean, 0, 4), 2001);
    r.tp1.ButtonTP1Undo->click();
    EXPECT_EQ(r.tp1.DispTP1Counter->text(), "2");
    EXPECT_EQ(CellWord(r.tp1.GridTP1Values, 2, 3), 0) << "the removed frame is cleared";
    EXPECT_EQ(CellWord(r.tp1.GridTP1Mean, 0, 3), 1005);
    for (int k = 0; k < 101; ++k) r.CaptureFrame(k, 0, 0);
    EXPECT_EQ(r.tp1.DispTP1Counter->text(), "100");
    EXPECT_EQ(CellWord(r.tp1.GridTP1Values, 99, 3), 100) << "row 100 holds the last frame";

    r.platform.confirmAnswers = {false, true};
    r.tp1.ButtonTP1ResetTable->click();
    EXPECT_EQ(r.tp1.DispTP1Counter->text(), "100");
    r.tp1.ButtonTP1ResetTable->click();
    EXPECT_EQ(r.tp1.DispTP1Counter->text(), "0");
    EXPECT_EQ(CellWord(r.tp1.GridTP1Values, 99, 3), 0);
    EXPECT_EQ(r.tp1.DispTP1MaxDeltaXY->text(), "0");
    EXPECT_EQ(r.platform.shown.last().text, "Do you really want to reset the table?");
    SetCellWord(r.tp1.GridTP1Values, 0, 3, 55);
    r.tp1.ButtonTP1Undo->click();
    EXPECT_EQ(r.tp1.DispTP1Counter->text(), "0");
    EXPECT_EQ(CellWord(r.tp1.GridTP1Values, 0, 3), 0) << "undo at 0 clears row 1";
}

TEST(SetUpTeachPanels, LabelsAndControlsFollowTheModes) {
    const struct {
        int evaluation, calculation;
        QString colourChoice, distanceItem, header4;
        bool intensityShown, teachButtons;
    } cases[] = {
        {BEST_HIT, CALC_XYINT_2D, "TEACH CTO WITH", "d (X/Y)+VALUE CTO", "X", true, true},
        {BEST_HIT, CALC_SIM_2D, "TEACH siTO WITH", "d (s/i)+VALUE siTO", "s", true, true},
        {FIRST_HIT, CALC_XYINT_3D, "TEACH TOL WITH", "d (X/Y/INT)+VALUE TOL", "X", false, true},
        {FIRST_HIT, CALC_SIM_3D, "TEACH TOL WITH", "d (s/i/INT)+VALUE TOL", "s", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.calculation);
        MeanRig r;
        SetRing(r.m.EditEvalmode, c.evaluation);
        r.program.parameterSet.scalars.calculationMode = static_cast<uint16_t>(c.calculation);
        r.program.meanTeach.SetUpTeachPanels();
        EXPECT_EQ(r.tp1.LabelTP1TeachCtoWith->text(), c.colourChoice);
        EXPECT_EQ(r.tp1.EditTP1TeachCtoWith->itemText(2), c.distanceItem);
        EXPECT_EQ(r.tp1.GridTP1Values->horizontalHeaderItem(3)->text(), c.header4);
        EXPECT_EQ(r.tp1.EditTP1ValueIto->isVisibleTo(&r.program.panels.teachp1.widget),
                  c.intensityShown);
    }
    MeanRig r;
    SetRing(r.m.EditEvalmode, THD_RGB);
    r.program.meanTeach.SetUpTeachPanels();
    EXPECT_FALSE(r.m.ButtonTeachMeanVal->isEnabled());
    EXPECT_FALSE(r.m.EditNo->isVisibleTo(r.program.panels.mainp));
    SetRing(r.m.EditEvalmode, MIN_DIST);
    r.program.meanTeach.SetUpTeachPanels();
    EXPECT_TRUE(r.m.ButtonTeachMeanVal->isEnabled());
    EXPECT_FALSE(r.tp1.EditTP1ValueCto->isEnabled());
}
