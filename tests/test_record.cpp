// The record file byte for byte, the record time, and the four record modes against
// the simulated sensor.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QTimer>

#include "files/recordfile.h"
#include "support/rig.h"

namespace {

const QByteArray COLUMNS =
    "DATE\tTIME\tRED\tGREEN\tBLUE\tX s\tY i\tINT M\tdelta C\tCOLOR\tGROUP\tTRIGGER\tTEMP\r\n";

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int DataLines(const QByteArray& file) {
    return static_cast<int>(file.count("\r\n")) - 3 - (file.contains("PANEL ID: ") ? 1 : 0);
}

struct RecordRig : Rig {
    explicit RecordRig(const QStringList& args = {}) : Rig(args) {
        SelectTcp();
        program.comm.TryToConnect();
        sim.ClearRequests();
        path = sim.Dir() + "/records.dat";
        platform.fileAnswers << FileChoice{FileChoice::New, path};
        m.ButtonSelRecFile->click();
    }
    void SelectMode(int mode) {
        m.EditSelectDataRec->setCurrentIndex(mode);
        emit m.EditSelectDataRec->activated(mode);
    }
    int Count(const QString& head) const {
        int n = 0;
        for (const QString& r : sim.Requests()) n += r.startsWith(head) ? 1 : 0;
        return n;
    }
    Ui::MAINP& m = program.panels.mainUi;
    QString path;
};

}  // namespace

TEST(RecordFile, HeaderAndLinesByteForByte) {
    EXPECT_EQ(RecordHeader(""), "\nRECORD RESULTS OF: CHROMIK3-DLS-Scope V4.2\r\n\r\n" + COLUMNS);
    EXPECT_EQ(RecordHeader("Line 4"),
              "\nRECORD RESULTS OF: CHROMIK3-DLS-Scope V4.2\r\nPANEL ID: Line 4\r\n\r\n" + COLUMNS);
    uint16_t words[MEASUREMENT_WORDS] = {};
    words[0] = 40000;
    words[6] = 65535;  // delta C on the wire
    MeasurementFrame f{};
    DecodeMeasurementFrame(words, f);
    const QDateTime at(QDate(2026, 3, 7), QTime(8, 5, 9));
    EXPECT_EQ(RecordLine(f, at), "03-07-2026\t08:05:09\t40000\t0\t0\t0\t0\t0\t-1\t0\t0\t0\t0\r\n");
    f = MeasurementFrame{};
    f.deltaC = -5;
    EXPECT_TRUE(RecordLine(f, at).endsWith("\t0\t0\t0\t0\t0\t0\t-5\t0\t0\t0\t0\r\n"));
}

TEST(RecordFile, RecordTime) {
    const struct {
        double interval;
        int values;
        RecordTime time;
    } cases[] = {{0.25, 65535, {0, 4, 33, 3.75}}, {0.25, 1000, {0, 0, 4, 10}},
                 {1.0, 90061, {1, 1, 1, 1}}};
    for (const auto& c : cases) {
        const RecordTime t = RecordTimeOf(c.interval, c.values);
        EXPECT_EQ(t.days, c.time.days);
        EXPECT_EQ(t.hours, c.time.hours);
        EXPECT_EQ(t.minutes, c.time.minutes);
        EXPECT_DOUBLE_EQ(t.seconds, c.time.seconds);
    }
    Rig rig;
    Ui::MAINP& m = rig.program.panels.mainUi;
    m.EditInterval->setValue(0.1);
    m.EditRecVal->setValue(1000);
    rig.program.recording.UpdateRecordTime();
    EXPECT_EQ(m.EditInterval->value(), 0.25);
    EXPECT_EQ(m.DispRecordTimeMinutes->text(), "4");
    EXPECT_EQ(m.DispRecordTimeSeconds->text(), "10");
}

TEST(RecordFile, ExistingFileIsReplacedOnlyWhenConfirmed) {
    for (bool yes : {true, false}) {
        Rig rig;
        const QString path = rig.sim.Dir() + "/old.dat";
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old contents");
        file.close();
        rig.program.paths.recordFile = rig.sim.Dir() + "/previous.dat";
        rig.platform.fileAnswers << FileChoice{FileChoice::Existing, path};
        rig.platform.confirmAnswers = {yes};
        rig.program.panels.mainUi.ButtonSelRecFile->click();
        EXPECT_EQ(ReadAll(path).startsWith("\nRECORD RESULTS OF: "), yes);
        EXPECT_EQ(rig.program.paths.recordFile, yes ? path : rig.sim.Dir() + "/previous.dat");
    }
}

TEST(Recording, FixedCountWritesItsLines) {
    RecordRig r;
    r.SelectMode(0);
    r.m.EditInterval->setValue(0.25);
    r.m.EditRecVal->setValue(3);
    r.platform.confirmAnswers = {true};
    r.m.ButtonStartRecord->click();
    EXPECT_EQ(r.Count("55 08"), 3);
    EXPECT_EQ(DataLines(ReadAll(r.path)), 3);
    EXPECT_EQ(r.m.DispRecordedValues->text(), "3");
    EXPECT_EQ(r.m.DispRemaining->text(), "0");
    EXPECT_EQ(r.platform.shown.last().text, "File has been saved!");
    EXPECT_EQ(r.program.graphs.recordChart.Points(), 3);
}

TEST(Recording, StopEndsTheIntervalWaitAtOnce) {
    RecordRig r;
    r.SelectMode(1);
    r.m.EditInterval->setValue(60);
    r.platform.confirmAnswers = {true};
    QTimer::singleShot(200, &r.program, [&] { r.m.ButtonStopRecord->click(); });
    QElapsedTimer clock;
    clock.start();
    r.m.ButtonStartRecord->click();
    EXPECT_LT(clock.elapsed(), 30000) << "not the minute of the interval";
    EXPECT_EQ(DataLines(ReadAll(r.path)), 1);
    EXPECT_EQ(r.m.DispFrameCounter->text(), "1");
}

TEST(Recording, ManualRecordsWithoutAnOrder) {
    RecordRig r;
    r.SelectMode(2);
    for (int k = 0; k < 3; ++k) r.m.ButtonManualRecord->click();
    EXPECT_EQ(r.m.DispRecordedValues->text(), "3");
    EXPECT_EQ(DataLines(ReadAll(r.path)), 3);
    EXPECT_EQ(r.sim.Requests(), QStringList{});
}

TEST(Recording, TriggeredRecordsEveryFrameAndSwitchesSendingOff) {
    for (const char* period : {"5", "0"}) {
        SCOPED_TRACE(period);
        RecordRig r({"--trigger-period", period});
        r.SelectMode(3);
        r.platform.confirmAnswers = {true};
        QTimer::singleShot(600, &r.program, [&] { r.m.ButtonStopRecord->click(); });
        r.m.ButtonStartTrigRec->click();
        const QStringList requests = r.sim.Requests();
        ASSERT_GE(requests.size(), 2);
        EXPECT_TRUE(requests.first().startsWith("55 1e 01 00 00 00 aa"));
        EXPECT_TRUE(requests.last().startsWith("55 1e 00 00 00 00 aa"));
        const int frames = r.m.DispFrameCounter->text().toInt();
        EXPECT_EQ(DataLines(ReadAll(r.path)), frames);
        if (QByteArray(period) == "5") EXPECT_GT(frames, 20);
        EXPECT_EQ(r.platform.shown.last().text, "File has been saved!");
    }
}

TEST(Recording, LostRecordsAreReported) {
    RecordRig r;
    r.program.paths.recordFile = r.sim.Dir() + "/records.dat/inside.dat";  // cannot be a file
    r.SelectMode(0);
    r.m.EditInterval->setValue(0.25);
    r.m.EditRecVal->setValue(2);
    r.platform.confirmAnswers = {true};
    r.m.ButtonStartRecord->click();
    EXPECT_EQ(r.Count("55 08"), 2) << "the recording runs to its end";
    EXPECT_EQ(r.platform.shown.last().title, "ATTENTION!");
    EXPECT_TRUE(r.platform.shown.last().text.startsWith("2 records could not be saved!\n"));
    EXPECT_TRUE(r.Log().contains("2 records could not be saved!"));
}

TEST(Recording, EachModeShowsItsControls) {
    Rig rig;
    Program& p = rig.program;
    Ui::MAINP& m = p.panels.mainUi;
    p.window.show();
    m.TabMain1->setCurrentIndex(PAGE_RECORDING);
    QWidget* controls[] = {m.EditInterval,       m.EditRecVal,       m.DispRecordTime,
                           m.DispRecordedValues, m.DispRemaining,    m.DispFrameCounter,
                           m.ButtonStartRecord,  m.ButtonStopRecord, m.ButtonStartTrigRec,
                           m.ButtonManualRecord};
    const std::array<bool, 10> shown[] = {
        {true, true, true, true, true, false, true, true, false, false},     // FIXED COUNT
        {true, false, false, false, false, true, true, true, false, false},  // CONTINUOUS
        {false, false, false, true, false, false, false, false, false, true},  // MANUAL
        {false, false, false, false, false, true, false, true, true, false},   // TRIGGERED
    };
    for (int mode = 0; mode < 4; ++mode) {
        m.EditSelectDataRec->setCurrentIndex(mode);
        emit m.EditSelectDataRec->activated(mode);
        for (int i = 0; i < 10; ++i) {
            EXPECT_EQ(controls[i]->isVisible(), shown[mode][i])
                << "mode " << mode << " " << controls[i]->objectName().toStdString();
            if (auto* label = p.window.findChild<QLabel*>("Label" + controls[i]->objectName()))
                EXPECT_EQ(label->isVisible(), shown[mode][i]) << label->objectName().toStdString();
        }
    }
}

TEST(Recording, DeclinedStartSendsNothingAndLostManualRecordsAreReported) {
    RecordRig r;
    r.SelectMode(0);
    r.platform.confirmAnswers = {false};
    r.m.ButtonStartRecord->click();
    EXPECT_EQ(r.Count("55 08"), 0);
    EXPECT_EQ(r.platform.shown.last().text, "Are you sure, that you have selected the right file name?");
    EXPECT_FALSE(r.m.EditInterval->isReadOnly());

    r.SelectMode(2);
    r.program.paths.recordFile = r.sim.Dir() + "/records.dat/inside.dat";
    r.m.ButtonManualRecord->click();
    EXPECT_EQ(r.platform.shown.last().title, "ATTENTION!");
    EXPECT_TRUE(r.platform.shown.last().text.startsWith("1 records could not be saved!\n"));
}
