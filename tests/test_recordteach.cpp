// The recorded-value teach: the store and its searches, cursor picks in the three
// views, TEACH, and recording from the simulated sensor until the store is full.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>
#include <qcustomplot.h>

#include "support/rig.h"
#include "teach/recordstore.h"
#include "ui/grid.h"

namespace {

MeasurementFrame Frame(int x, int y, int intensity) {
    MeasurementFrame f{};
    f.x = static_cast<uint16_t>(x);
    f.y = static_cast<uint16_t>(y);
    f.intensity = static_cast<uint16_t>(intensity);
    return f;
}

struct Teachp2Rig : Rig {
    explicit Teachp2Rig(const QStringList& simArgs = {}) : Rig(simArgs) {
        program.window.resize(1000, 700);
        program.window.show();
        program.panels.mainUi.ButtonTeachRecVal->click();
    }
    void Record(std::initializer_list<std::array<int, 3>> points) {
        for (const auto& [x, y, i] : points) teach.PlotTeachRecord(Frame(x, y, i));
    }
    QList<int> Displays() const {
        return {ui.DispTP2X->text().toInt(), ui.DispTP2Y->text().toInt(),
                ui.DispTP2Int->text().toInt()};
    }
    QList<ViewCoordinates> Cursors() {
        QList<ViewCoordinates> c;
        for (RecordView v : {RecordView::XY, RecordView::XInt, RecordView::YInt})
            c << teach.View(v).Cursor();
        return c;
    }
    // Records from the sensor until the store holds `count` points or the loop ends.
    void RecordUntil(int count) {
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (teach.Store().Count() >= count) program.flags.goRunning = false;
        });
        watch.start(1);
        ui.ButtonTP2Start->click();
    }

    RecordedValueTeach& teach = program.recordTeach;
    Ui::TEACHP2& ui = program.panels.teachp2.ui;
};

}  // namespace

TEST(TeachRecordStore, FindsTheFirstExactMatchOfAView) {
    TeachRecordStore store;
    for (RecordedPoint p : {RecordedPoint{100, 200, 300}, {150, 200, 310}, {150, 200, 320}})
        ASSERT_TRUE(store.Add(p));
    const struct {
        RecordView view;
        ViewCoordinates at;
        int entry;
    } cases[] = {
        {RecordView::XY, {150, 200}, 1},    // equal x and y: always the earlier
        {RecordView::XInt, {150, 320}, 2},  // the intensity tells them apart
        {RecordView::YInt, {200, 310}, 1},
        {RecordView::XY, {100, 200}, 0},
        {RecordView::XY, {150, 201}, 0},    // no match
        {RecordView::YInt, {150, 200}, 0},  // the XY pair means nothing in Y/INT
    };
    for (const auto& c : cases) EXPECT_EQ(store.FindEntry(c.view, c.at), c.entry) << c.at.a;
}

TEST(TeachRecordStore, NearestCountsInPixelsAndTheStoreStopsWhenFull) {
    TeachRecordStore store;
    EXPECT_EQ(store.NearestEntry(RecordView::XY, {0, 0}, 1, 1), std::nullopt);
    store.Add({100, 1000, 0});
    store.Add({130, 1010, 0});
    // 40 units off in x against 30 units off in y: which is nearer depends on the scale.
    EXPECT_EQ(store.NearestEntry(RecordView::XY, {140, 1000}, 1, 1), 1);
    EXPECT_EQ(store.NearestEntry(RecordView::XY, {140, 1000}, 1, 10), 0);

    while (store.Add({1, 2, 3})) {
    }
    EXPECT_EQ(store.Count(), TeachRecordStore::CAPACITY);
    EXPECT_TRUE(store.Full());
    store.Reset();
    EXPECT_EQ(store.Count(), 0);
    EXPECT_TRUE(store.Add({5, 6, 7}));
    EXPECT_EQ(store.At(0).intensity, 7);
}

TEST(RecordedValueTeach, APickInOneViewIsShownInAllThree) {
    const struct {
        RecordView view;
        ViewCoordinates at;
        QList<int> shown;
    } cases[] = {
        {RecordView::XY, {150, 200}, {150, 200, 310}},
        {RecordView::XInt, {150, 310}, {150, 200, 310}},
        {RecordView::YInt, {200, 310}, {150, 200, 310}},
        {RecordView::XY, {999, 999}, {100, 200, 300}},  // no match: entry 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.view));
        Teachp2Rig r;
        r.Record({{100, 200, 300}, {150, 200, 310}, {120, 120, 120}});
        r.teach.SelectCursor(c.view, c.at);
        EXPECT_EQ(r.Displays(), c.shown);
        const double x = c.shown[0], y = c.shown[1], i = c.shown[2];
        EXPECT_EQ(r.Cursors(), (QList<ViewCoordinates>{{x, y}, {x, i}, {y, i}}));
        EXPECT_EQ(r.ui.DispTP2Counter->text(), "3");
    }
}

TEST(RecordedValueTeach, MouseSnapsToTheNearestPointAndKeysStepThroughThem) {
    Teachp2Rig r;
    QCustomPlot* xy = r.ui.GraphXYTP2;
    xy->replot();
    // Nothing recorded: picks and keys change nothing.
    QTest::mouseClick(xy, Qt::LeftButton, {}, xy->axisRect()->rect().center());
    QTest::keyClick(xy, Qt::Key_End);
    EXPECT_EQ(r.Displays(), (QList<int>{0, 0, 0}));

    r.Record({{100, 200, 300}, {150, 200, 310}, {2000, 2500, 1800}, {150, 200, 320}});
    // The keys start from the last recorded point.
    QTest::keyClick(xy, Qt::Key_Left);
    EXPECT_EQ(r.Displays(), (QList<int>{2000, 2500, 1800}));
    const QPoint nearSecond(static_cast<int>(xy->xAxis->coordToPixel(150)) + 3,
                            static_cast<int>(xy->yAxis->coordToPixel(200)) - 2);
    QTest::mouseClick(xy, Qt::LeftButton, {}, nearSecond);
    EXPECT_EQ(r.Displays(), (QList<int>{150, 200, 310}));
    // Another view steps on from the point picked here.
    QCustomPlot* yInt = r.ui.GraphYIntTP2;
    QTest::keyClick(yInt, Qt::Key_Right);
    EXPECT_EQ(r.Displays(), (QList<int>{2000, 2500, 1800}));
    QTest::keyClick(yInt, Qt::Key_End);
    EXPECT_EQ(r.Displays(), (QList<int>{150, 200, 320})) << "a step shows the entry itself";
    QTest::keyClick(yInt, Qt::Key_PageDown);
    EXPECT_EQ(r.Displays(), (QList<int>{150, 200, 320}));
    QTest::keyClick(yInt, Qt::Key_PageUp);
    EXPECT_EQ(r.Displays(), (QList<int>{100, 200, 300}));
    EXPECT_EQ(r.Cursors()[0], (ViewCoordinates{100, 200}));
    // A click outside the plot area picks nothing.
    QTest::mouseClick(xy, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(r.Displays(), (QList<int>{100, 200, 300}));
}

TEST(RecordedValueTeach, DotsStayUntilReset) {
    Teachp2Rig r;
    QCustomPlot* xy = r.ui.GraphXYTP2;
    const auto red = [xy](double x, double y) {
        const QImage shot = xy->toPixmap().toImage();
        // A corner of the dot: the cursor's cross runs through its centre.
        const QPoint at(static_cast<int>(xy->xAxis->coordToPixel(x)) - 1,
                        static_cast<int>(xy->yAxis->coordToPixel(y)) - 1);
        return shot.pixelColor(at) == QColor(Qt::red);
    };
    r.Record({{1000, 1000, 500}});
    xy->replot();
    r.Record({{3000, 1500, 500}});
    EXPECT_TRUE(red(1000, 1000));
    EXPECT_TRUE(red(3000, 1500));
    // A wider axis repaints the whole cloud in its new place.
    r.Record({{5000, 1500, 500}});
    EXPECT_EQ(xy->xAxis->range().upper, 8192);
    EXPECT_TRUE(red(1000, 1000));
    EXPECT_TRUE(red(5000, 1500));
    r.platform.confirmAnswers = {true};
    r.ui.ButtonTP2Reset->click();
    EXPECT_EQ(xy->xAxis->range().upper, 4096);
    EXPECT_FALSE(red(1000, 1000));
    EXPECT_FALSE(red(3000, 1500));
}

TEST(RecordedValueTeach, TeachWritesThePickedPointIntoTheRow) {
    for (bool toleranceOff : {false, true}) {
        SCOPED_TRACE(toleranceOff);
        Teachp2Rig r;
        Ui::MAINP& m = r.program.panels.mainUi;
        SetRing(m.EditEvalmode, BEST_HIT);
        SetRing(m.EditCalcmode, CALC_XYINT_2D);
        SetRing(m.EditPmode, POWER_STAT);
        for (int col = 0; col < TEACH_CELLS; ++col) SetCellWord(m.GridCtt, 7, col, 9);
        m.EditNo->setValue(7);
        r.program.flags.teachToleranceOff = toleranceOff;
        r.Record({{100, 200, 300}, {150, 200, 310}});
        r.teach.SelectCursor(RecordView::XY, {150, 200});
        r.ui.ButtonTP2Teach->click();
        QList<int> row;
        for (int col = 0; col < TEACH_CELLS; ++col) row << CellWord(m.GridCtt, 7, col);
        const QList<int> expected = toleranceOff ? QList<int>{150, 200, 9, 310, 9}
                                                 : QList<int>{150, 200, 200, 310, 200};
        EXPECT_EQ(row, expected);
        EXPECT_EQ(r.program.parameterSet.table[7].cell[3], 310);
    }
}

TEST(RecordedValueTeach, LabelsAndColoursFollowTheCalculationMode) {
    const struct {
        int mode;
        QStringList labels, titles;
        const char* yDisplayStyle;
        int intensityTop;
    } cases[] = {
        {CALC_XYINT_2D, {"X", "Y", "INT"}, {"X/Y", "X/INT", "Y/INT"},
         "QLineEdit { background-color: #00FF00; border: 2px solid #E0E0E0; }", 4096},
        {CALC_SIM_3D, {"s", "i", "M"}, {"s/i", "s/M", "i/M"},
         "QLineEdit { background-color: #FFFF00; border: 2px solid #80FFFF; }", 10000},
    };
    for (const auto& c : cases) {
        Teachp2Rig r;
        r.program.parameterSet.scalars.calculationMode = static_cast<uint16_t>(c.mode);
        r.program.panels.mainUi.ButtonTeachRecVal->click();
        EXPECT_EQ((QStringList{r.ui.LabelTP2X->text(), r.ui.LabelTP2Y->text(),
                               r.ui.LabelTP2Int->text()}),
                  c.labels);
        QStringList titles;
        for (QCustomPlot* plot : {r.ui.GraphXYTP2, r.ui.GraphXIntTP2, r.ui.GraphYIntTP2})
            titles << qobject_cast<QCPTextElement*>(plot->plotLayout()->element(0, 0))->text();
        EXPECT_EQ(titles, c.titles);
        EXPECT_EQ(r.ui.DispTP2Y->styleSheet(), c.yDisplayStyle);
        EXPECT_EQ(r.ui.GraphXIntTP2->yAxis->range().upper, c.intensityTop);
        // A point beyond the range widens the axes so it stays in view.
        r.Record({{40000, 100, 100}});
        EXPECT_EQ(r.ui.GraphXYTP2->xAxis->range().upper, 65536);
        EXPECT_EQ(r.ui.GraphXIntTP2->xAxis->range().upper, 65536);
    }
}

TEST(RecordedValueTeach, RecordsOnlyDataFramesUntilTheStoreIsFull) {
    Teachp2Rig r;
    r.SelectTcp();
    r.program.comm.TryToConnect();
    ASSERT_TRUE(r.program.flags.linkOk);
    r.program.flags.sendPending = true;  // not served by this loop
    const QString dataDisplay = r.program.panels.datap.ui.DispX->text();
    r.RecordUntil(20);
    const int first = r.teach.Store().Count();
    EXPECT_GE(first, 20);
    EXPECT_TRUE(r.program.flags.sendPending);
    EXPECT_EQ(r.program.panels.datap.ui.DispX->text(), dataDisplay);
    EXPECT_EQ(r.ui.DispTP2Counter->text(), QString::number(first));
    // The displays show the last recorded point.
    const RecordedPoint& last = r.teach.Store().At(first - 1);
    EXPECT_EQ(r.Displays(), (QList<int>{static_cast<int>(last.x), static_cast<int>(last.y),
                                        static_cast<int>(last.intensity)}));
    r.program.flags.sendPending = false;

    // A new START goes on counting, up to the full store, where it stops by itself.
    r.RecordUntil(TeachRecordStore::CAPACITY + 1);
    EXPECT_EQ(r.ui.DispTP2Counter->text(), "60000");
    EXPECT_TRUE(r.ui.ButtonTP2Start->isEnabled());
    EXPECT_TRUE(r.program.panels.mainUi.ButtonGo->isEnabled());
    EXPECT_TRUE(r.program.flags.linkOk);
    // With a full store START ends after one frame without storing it.
    r.RecordUntil(TeachRecordStore::CAPACITY + 1);
    EXPECT_EQ(r.teach.Store().Count(), TeachRecordStore::CAPACITY);

    r.platform.confirmAnswers = {false, true};
    r.ui.ButtonTP2Reset->click();
    EXPECT_EQ(r.teach.Store().Count(), TeachRecordStore::CAPACITY);
    r.ui.ButtonTP2Reset->click();
    EXPECT_EQ(r.platform.shown.last().title, "ATTENTION!");
    EXPECT_EQ(r.platform.shown.last().text, "Do you really want to reset the table?");
    EXPECT_EQ(r.teach.Store().Count(), 0);
    EXPECT_EQ(r.ui.DispTP2Counter->text(), "0");
}

TEST(RecordedValueTeach, StopCloseAndALinkErrorEndTheRecording) {
    const struct {
        const char* name;
        QStringList simArgs;
        std::function<void(Teachp2Rig&)> end;  // run once some points are in
        bool linkOk;
    } cases[] = {
        {"STOP", {}, [](Teachp2Rig& r) { r.program.panels.mainUi.ButtonStop->click(); }, true},
        {"close", {}, [](Teachp2Rig& r) { r.ui.ButtonCloseTeachPanel2->click(); }, true},
        {"link error", {"--fault", "close", "--fault-every", "30"}, nullptr, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Teachp2Rig r(c.simArgs);
        r.SelectTcp();
        r.program.comm.TryToConnect();
        ASSERT_TRUE(r.program.flags.linkOk);
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (c.end && r.teach.Store().Count() >= 10) c.end(r);
        });
        watch.start(1);
        QTimer::singleShot(20000, &r.program, [&] { r.program.flags.goRunning = false; });
        r.ui.ButtonTP2Start->click();
        EXPECT_GT(r.teach.Store().Count(), 0);
        EXPECT_LT(r.teach.Store().Count(), TeachRecordStore::CAPACITY);
        EXPECT_EQ(r.program.flags.linkOk, c.linkOk);
        EXPECT_TRUE(r.ui.ButtonTP2Start->isEnabled());
        EXPECT_TRUE(r.program.panels.mainUi.ButtonGo->isEnabled());
    }
}
