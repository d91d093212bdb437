// The colour-space graphs and strip charts: histories, extents, axis windows, bands,
// tolerance ellipses, mode labels and the record chart panel.
#include <gtest/gtest.h>

#include <QTest>
#include <qcustomplot.h>

#include "live/graphmath.h"
#include "ui/grid.h"
#include "support/rig.h"

namespace {

TeachTable UniformTable(uint16_t value) {
    TeachTable table;
    for (TeachVector& row : table) row = {{value, value, value, value, value}, 0, 0, 0};
    return table;
}

}  // namespace

TEST(AxisWindow, ExtentsAndWindowsOfTheWorkedCases) {
    struct Case {
        const char* name;
        TeachTable table;
        int x, y;
        TeachExtents extents;
        AxisWindow window;
    };
    TeachTable oneRow = UniformTable(1);
    oneRow[7] = {{1000, 2000, 100, 3000, 150}, 0, 0, 0};  // X Y INT 2D: x, y, CTO, INT, ITO
    TeachTable uncounted = UniformTable(1);
    uncounted[3] = {{5, 8, 20, 3000, 100}, 0, 0, 0};
    uncounted[4] = {{10, 10, 20, 3000, 100}, 0, 0, 0};
    // One coordinate above 10 is enough to count a row.
    TeachTable oneAxis = UniformTable(1);
    oneAxis[0] = {{5, 2000, 10, 100, 0}, 0, 0, 0};
    oneAxis[1] = {{11, 0, 10, 100, 0}, 0, 0, 0};
    // An odd span: the centre is truncated, 900 + 201 / 2 = 1000.
    TeachTable oddSpan = UniformTable(1);
    oddSpan[0] = {{1000, 1000, 100, 2000, 0}, 0, 0, 0};
    oddSpan[1] = {{1091, 1000, 10, 2000, 0}, 0, 0, 0};
    const Case cases[] = {
        {"reset table", UniformTable(1), 500, 300, {0, 0, 0, 10000, 10000, 10000},
         {{-25, 10025}, {-25, 10025}}},
        {"point inside the one counted row", oneRow, 1000, 2000, {900, 1900, 2850, 1100, 2100, 3150},
         {{875, 1125}, {1875, 2125}}},
        {"point right of it", oneRow, 1500, 2000, {900, 1900, 2850, 1100, 2100, 3150},
         {{875, 1525}, {1675, 2325}}},
        {"point left of and below it", oneRow, 500, 1000, {900, 1900, 2850, 1100, 2100, 3150},
         {{225, 1375}, {975, 2125}}},
        {"rows near the origin are drawn, not counted", uncounted, 500, 300,
         {0, 0, 0, 10000, 10000, 10000}, {{-25, 10025}, {-25, 10025}}},
        {"x or y above 10 counts", oneAxis, 5, 1000, {-5, -10, 100, 21, 2010, 100},
         {{-1027, 1043}, {-35, 2035}}},
        {"odd span truncates", oddSpan, 1000, 1000, {900, 900, 2000, 1101, 1100, 2000},
         {{875, 1125}, {875, 1125}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TeachExtents e = ComputeTeachExtents(c.table, CALC_XYINT_2D);
        EXPECT_EQ(e, c.extents);
        EXPECT_EQ(WindowFor(c.x, {e.minX, e.maxX}, c.y, {e.minY, e.maxY}), c.window);
    }
}

TEST(AxisWindow, ThreeDimensionalRowsReadTheirOwnColumns) {
    TeachTable table = UniformTable(1);
    table[0] = {{1000, 2000, 3000, 50, 1}, 0, 0, 0};  // 3D: x, y, INT, TOL
    EXPECT_EQ(ComputeTeachExtents(table, CALC_SIM_3D),
              (TeachExtents{950, 1950, 2950, 1050, 2050, 3050}));
    EXPECT_EQ(ComputeTeachExtents(table, CALC_XYINT_2D),
              (TeachExtents{-2000, -1000, 49, 4000, 5000, 51}))
        << "in 2D the same row reads CTO 3000 and INT 50 with ITO 1";
}

TEST(IntensityBand, LimitsOfTheChartAndOfTheGraph) {
    const struct {
        int intensity, tolerance, limit;
        Band band;
    } cases[] = {{4050, 100, INT_CHART_BAND_LIMIT, {3950, 4095}},
                 {4050, 100, INT_GRAPH_BAND_LIMIT, {3950, 4096}},
                 {30, 100, INT_CHART_BAND_LIMIT, {0, 130}},
                 {30, 100, INT_GRAPH_BAND_LIMIT, {0, 130}}};
    for (const auto& c : cases) {
        const Band b = IntensityBand(c.intensity, c.tolerance, c.limit);
        EXPECT_EQ(b.lower, c.band.lower) << c.intensity << " " << c.limit;
        EXPECT_EQ(b.upper, c.band.upper) << c.intensity << " " << c.limit;
    }
}

TEST(IntensityBand, SimIntCursorStopsAt1200InSim2DOnly) {
    EXPECT_EQ(IntGraphCursor(1500, CALC_SIM_2D), 1200);
    EXPECT_EQ(IntGraphCursor(1100, CALC_SIM_2D), 1100);
    EXPECT_EQ(IntGraphCursor(1500, CALC_XYINT_2D), 1500);
}

namespace {

MeasurementFrame FrameNumber(int k) {
    MeasurementFrame f{};
    f.red = static_cast<uint16_t>(k);
    f.green = static_cast<uint16_t>(k + 1000);
    f.blue = static_cast<uint16_t>(k + 2000);
    f.intensity = static_cast<uint16_t>(3 * k);
    return f;
}

}  // namespace

TEST(GraphHistories, EveryFrameEntersAlsoThoseThePacingDoesNotShow) {
    Rig rig;
    Program& p = rig.program;
    Ui::MAINP& m = p.panels.mainUi;
    // Row 2 of the grid: INT 4050, ITO 100 in X Y INT 2D.
    m.EditNo->setValue(2);
    SetCellWord(m.GridCtt, 2, 3, 4050);
    SetCellWord(m.GridCtt, 2, 4, 100);
    // 101 frames faster than the screen's pace: most of them are never shown.
    for (int k = 1; k <= 101; ++k) p.displays.UpdateLiveDisplays(FrameNumber(k), BEST_HIT);
    const History& rgb = p.graphs.rgbHistory;
    EXPECT_EQ(rgb[0], 2) << "frame 1 has dropped out, frame 2 is the oldest";
    EXPECT_EQ(rgb[1], 1002);
    EXPECT_EQ(rgb[HISTORY_VALUES - 3], 101);
    EXPECT_EQ(rgb[HISTORY_VALUES - 1], 2101);
    const History& intensity = p.graphs.intensityHistory;
    EXPECT_EQ(intensity[HISTORY_VALUES - 3], 303);
    EXPECT_EQ(intensity[HISTORY_VALUES - 2], 4095);
    EXPECT_EQ(intensity[HISTORY_VALUES - 1], 3950);

    p.displays.Flush();
    const QCPGraph* red = p.panels.datap.ui.GraphRGB->graph(0);
    ASSERT_EQ(red->dataCount(), HISTORY_SAMPLES);
    EXPECT_EQ(red->data()->at(0)->value, 2);
    EXPECT_EQ(red->data()->at(HISTORY_SAMPLES - 1)->value, 101);
}

namespace {

// The tolerance ellipses of a graph, row by row.
QList<QCPItemEllipse*> Ellipses(QCustomPlot* plot) {
    QList<QCPItemEllipse*> ellipses;
    for (int i = 0; i < plot->itemCount(); ++i)
        if (auto* e = qobject_cast<QCPItemEllipse*>(plot->item(i))) ellipses << e;
    return ellipses;
}

}  // namespace

TEST(DrawTeachTolerances, EveryRowInItsColourOnFourGraphsAndTheBand) {
    Rig rig;
    Program& p = rig.program;
    p.parameterSet.table = UniformTable(1);
    p.parameterSet.table[4] = {{1000, 2000, 100, 3000, 150}, 0, 0, 0};
    p.parameterSet.scalars.calculationMode = CALC_XYINT_2D;
    p.attributes.rowColors[4] = 0x123456;
    p.panels.mainUi.EditNo->setValue(4);
    p.paramControls.ParameterSetToControls();
    p.graphs.DrawTeachTolerances();

    Ui::DATAP& d = p.panels.datap.ui;
    const struct {
        QCustomPlot* plot;
        QPointF topLeft, bottomRight;
    } graphs[] = {{d.Graph2D, {900, 2100}, {1100, 1900}},
                  {d.Graph3DXY, {900, 2100}, {1100, 1900}},
                  {d.Graph3DXInt, {900, 3150}, {1100, 2850}},
                  {d.Graph3DYInt, {1900, 3150}, {2100, 2850}}};
    for (const auto& g : graphs) {
        SCOPED_TRACE(g.plot->objectName().toStdString());
        const QList<QCPItemEllipse*> ellipses = Ellipses(g.plot);
        ASSERT_EQ(ellipses.size(), TEACH_ROWS);
        for (QCPItemEllipse* e : ellipses) EXPECT_TRUE(e->visible());
        EXPECT_EQ(ellipses[4]->pen().color(), QColor(0x12, 0x34, 0x56));
        EXPECT_EQ(ellipses[4]->topLeft->coords(), g.topLeft);
        EXPECT_EQ(ellipses[4]->bottomRight->coords(), g.bottomRight);
        EXPECT_EQ(ellipses[5]->pen().color(), QColor::fromRgb(DefaultRowColor(5)));
    }
    EXPECT_EQ(p.graphs.teachExtents, (TeachExtents{900, 1900, 2850, 1100, 2100, 3150}));
    // The band of row 4 on the 2D page's INT graph: 3000 +- 150.
    QCPItemRect* band = nullptr;
    for (int i = 0; i < d.Graph2DInt->itemCount(); ++i)
        if (auto* r = qobject_cast<QCPItemRect*>(d.Graph2DInt->item(i))) band = r;
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->topLeft->coords(), QPointF(2850, 100));
    EXPECT_EQ(band->bottomRight->coords(), QPointF(3150, 0));
    EXPECT_EQ(band->brush().color(), QColor(0x40, 0x80, 0x80));
}

TEST(PlotLiveGraphs, CursorsAndWindowsFollowTheShownFrame) {
    Rig rig;
    Program& p = rig.program;
    p.parameterSet.table = UniformTable(1);
    p.parameterSet.table[0] = {{1000, 2000, 3000, 100, 1}, 0, 0, 0};
    Ui::DATAP& d = p.panels.datap.ui;
    MeasurementFrame f{};
    f.x = 1500;
    f.y = 2000;
    f.intensity = 1500;
    for (int mode : {CALC_SIM_2D, CALC_XYINT_3D}) {
        p.parameterSet.scalars.calculationMode = static_cast<uint16_t>(mode);
        p.graphs.DrawTeachTolerances();
        p.graphs.PlotLiveGraphs(f);
    }
    // s i M 2D: the INT graph's cursor stops at 1200.
    EXPECT_EQ(d.Graph2DInt->graph(0)->data()->at(0)->key, 1200);
    // X Y INT 3D, TOL 100 around (1000, 2000, 3000): the X/INT window takes the wider
    // of the two spans, INT's 1600 from the point below the area.
    EXPECT_EQ(d.Graph3DXInt->xAxis->range(), QCPRange(375, 2025));
    EXPECT_EQ(d.Graph3DXInt->yAxis->range(), QCPRange(1475, 3125));
    EXPECT_EQ(d.Graph3DXInt->graph(0)->data()->at(0)->key, 1500);
}

TEST(SetModeLabels, LabelsColoursAndSignalItemsPerMode) {
    Rig rig;
    Program& p = rig.program;
    Ui::DATAP& d = p.panels.datap.ui;
    Ui::GRAPHP& g = p.panels.graphp.ui;
    const struct {
        int mode;
        QStringList names;
        const char* yField;
    } cases[] = {{CALC_XYINT_2D, {"X", "Y", "INT"}, "#00FF00"},
                 {CALC_SIM_2D, {"s", "i", "M"}, "#FFFF00"},
                 {CALC_XYINT_3D, {"X", "Y", "INT"}, "#00FF00"},
                 {CALC_SIM_3D, {"s", "i", "M"}, "#FFFF00"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        p.graphs.SetModeLabels(c.mode);
        EXPECT_EQ((QStringList{d.LabelDispX->text(), d.LabelDispY->text(), d.LabelDispINT->text()}),
                  c.names);
        EXPECT_EQ((QStringList{g.LabelGp3->text(), g.LabelGp4->text(), g.LabelGp5->text()}),
                  c.names);
        EXPECT_EQ((QStringList{g.EditSignal->itemText(3), g.EditSignal->itemText(4),
                               g.EditSignal->itemText(5)}),
                  c.names);
        const bool sim = c.mode == CALC_SIM_2D || c.mode == CALC_SIM_3D;
        EXPECT_EQ(d.DispX->styleSheet(),
                  QString("QLineEdit { background-color: #FF0000; border: 2px solid %1; }")
                      .arg(sim ? "#00FF00" : "#E0E0E0"));
        EXPECT_EQ(d.DispY->styleSheet(),
                  QString("QLineEdit { background-color: %1; border: 2px solid %2; }")
                      .arg(c.yField, sim ? "#80FFFF" : "#E0E0E0"));
    }
}

TEST(StripChart, DoubleClickAutoscalesAndClickReturnsToTheModesRange) {
    Rig rig;
    Program& p = rig.program;
    QCustomPlot* chart = p.panels.datap.ui.GraphINT1;
    p.window.show();
    p.panels.datap.ui.TabDataP1->setCurrentIndex(DATA_PAGE_INT);
    for (int k = 1; k <= 100; ++k) p.graphs.UpdateGraphHistories(FrameNumber(k));
    p.graphs.PlotLiveGraphs(FrameNumber(100));
    const QPoint inside = chart->rect().center();
    QTest::mouseDClick(chart, Qt::LeftButton, {}, inside);
    EXPECT_LT(chart->yAxis->range().upper, 400) << "autoscaled to the intensities 3..300";
    p.graphs.ApplyCalculationMode(CALC_SIM_3D);
    EXPECT_LT(chart->yAxis->range().upper, 400) << "zooming survives the cascade";
    QTest::mouseClick(chart, Qt::LeftButton, {}, inside);
    EXPECT_EQ(chart->yAxis->range(), QCPRange(0, 1200));
    p.graphs.ApplyCalculationMode(CALC_XYINT_2D);
    EXPECT_EQ(chart->yAxis->range(), QCPRange(0, 4096));
}

TEST(RecordChart, SignalSelectsOneGraphAndPanelsSwap) {
    Rig rig;
    Program& p = rig.program;
    Ui::GRAPHP& g = p.panels.graphp.ui;
    QCustomPlot* graphs[] = {g.PanelGraphGraph0, g.PanelGraphGraph1, g.PanelGraphGraph2,
                             g.PanelGraphGraph3, g.PanelGraphGraph4, g.PanelGraphGraph5,
                             g.PanelGraphGraph6};
    p.window.show();
    p.panels.datap.ui.ButtonShowGraph->click();
    EXPECT_TRUE(p.panels.graphp.widget.isVisible());
    for (auto [signal, shown] : {std::pair{6, 6}, {9, 0}, {3, 3}}) {
        if (signal < g.EditSignal->count()) {
            g.EditSignal->setCurrentIndex(signal);  // as the operator chooses it
            emit g.EditSignal->activated(signal);
        } else {
            p.graphs.recordChart.ShowSignal(signal);
        }
        for (int s = 0; s < RECORD_SIGNALS; ++s)
            EXPECT_EQ(graphs[s]->isVisibleTo(&p.panels.graphp.widget), s == shown) << signal;
    }
    EXPECT_EQ(g.PanelGraphGraph6->graph(0)->pen().color(), QColor(0x00, 0x80, 0x80));
    p.graphs.recordChart.AppendRecord(0, {1, 2, 3, 4, 5, 6, 7});
    p.graphs.recordChart.AppendRecord(1, {10, 20, 30, 40, 50, 60, 70});
    EXPECT_EQ(g.PanelGraphGraph6->graph(0)->dataCount(), 2);
    EXPECT_EQ(g.PanelGraphGraph6->graph(0)->data()->at(1)->value, 70);
    g.ButtonGpClose->click();
    EXPECT_TRUE(p.panels.datap.widget.isVisible());
}

TEST(DrawIntensityBand, FollowsTheNoFieldAtOnce) {
    Rig rig;
    Program& p = rig.program;
    Ui::MAINP& m = p.panels.mainUi;
    SetCellWord(m.GridCtt, 6, 3, 2000);
    SetCellWord(m.GridCtt, 6, 4, 50);
    m.EditNo->stepBy(6);  // arrows and wheel change the row without an Enter
    QCPItemRect* band = nullptr;
    for (int i = 0; i < p.panels.datap.ui.Graph2DInt->itemCount(); ++i)
        if (auto* r = qobject_cast<QCPItemRect*>(p.panels.datap.ui.Graph2DInt->item(i))) band = r;
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->topLeft->coords(), QPointF(1950, 100));
    EXPECT_EQ(band->bottomRight->coords(), QPointF(2050, 0));
}

TEST(LiveGraphs, AGraphHiddenDuringAChangeIsRedrawnWhenShown) {
    Rig rig;
    Program& p = rig.program;
    p.window.show();
    p.panels.ShowChildPanel(&p.panels.graphp.widget);
    QCustomPlot* xy = p.panels.datap.ui.Graph2D;
    ASSERT_FALSE(xy->isVisible());
    p.parameterSet.table[0] = {{1000, 2000, 100, 3000, 150}, 0, 0, 0};
    p.graphs.DrawTeachTolerances();
    int replots = 0;
    QObject::connect(xy, &QCustomPlot::afterReplot, [&] { ++replots; });
    p.panels.graphp.ui.ButtonGpClose->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return replots > 0; }, 2000));
}

TEST(StripChart, ThreeDPageChartHasNoZoom) {
    Rig rig;
    Program& p = rig.program;
    p.window.show();
    p.panels.datap.ui.TabDataP1->setCurrentIndex(DATA_PAGE_3D);
    QCustomPlot* chart = p.panels.datap.ui.GraphRGB3D;
    QTest::mouseDClick(chart, Qt::LeftButton, {}, chart->rect().center());
    EXPECT_EQ(chart->yAxis->range(), QCPRange(0, 4096));
}
