// The scope: cycle time, scans over both transports and from scripted frames, the
// display (cursors, zoom, selection, comment) and the printed report as a PDF.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <qcustomplot.h>

#include "support/memory_transport.h"
#include "support/rig.h"

namespace {

QByteArray Bytes(const std::vector<uint16_t>& words) {
    QByteArray bytes;
    for (uint16_t w : words) {
        bytes += static_cast<char>(w & 0xFF);
        bytes += static_cast<char>(w >> 8);
    }
    return bytes;
}

// A scope frame: sample i holds first + i, word 128 the trigger position.
QByteArray ScopeFrame(uint16_t first, uint16_t trigger) {
    std::vector<uint16_t> words(SCOPE_FRAME_WORDS);
    for (int i = 0; i < SCOPE_SAMPLES; ++i) words[i] = static_cast<uint16_t>(first + i);
    words[SCOPE_SAMPLES] = trigger;
    return WireFrame(ORDER_SCOPE_SCAN, 0, Bytes(words));
}

QByteArray StateFrame(uint16_t state) {
    return WireFrame(ORDER_SCOPE_SCAN, 3, Bytes(std::vector<uint16_t>(SCOPE_FRAME_WORDS, state)));
}

struct ScopeRig : Rig {
    using Rig::Rig;
    void Show() {
        program.window.resize(1280, 800);
        program.window.show();
    }
    // The link speaks to scripted bytes instead of the sensor.
    MemoryTransport& Scripted(uint16_t protocol) {
        memory = std::make_unique<MemoryTransport>(program.link.buffers.receive);
        program.link.Attach(*memory);
        program.link.answerTimeout = 0.2;
        program.link.settings.protocol = protocol;
        program.flags.linkOk = true;
        return *memory;
    }
    void Connect(bool tcp) {
        tcp ? SelectTcp() : SelectSerial();
        program.comm.TryToConnect();
    }
    // Breaks a waiting scan after `ms`, noting what the operator saw while it waited.
    void BreakAfter(int ms) {
        QTimer::singleShot(ms, &program, [this] {
            waitShown = s.DispScanInProgress->isVisible() && m.ButtonBreakScan->isEnabled() &&
                        !m.ButtonScan->isEnabled() && !m.ButtonGo->isEnabled();
            m.ButtonBreakScan->click();
        });
    }
    bool waitShown = false;
    int AnalogTraces() const { return s.GraphScope->graphCount(); }

    Ui::MAINP& m = program.panels.mainUi;
    Ui::SCOPEP& s = program.panels.scopep.ui;
    std::unique_ptr<MemoryTransport> memory;
};

QString PdfText(const QString& path) {
    QProcess p;
    p.start("pdftotext", {"-layout", path, "-"});
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

TEST(Scope, OrdersOnTheWire) {
    ScopeRig r;
    r.Connect(true);
    ASSERT_TRUE(r.program.flags.linkOk);
    r.sim.ClearRequests();
    r.m.ButtonGetCycleTime->click();
    r.m.EditTriggerMode->setCurrentIndex(0);
    r.m.EditScanRate->setValue(1);
    r.m.EditScopeRecSignal->setCurrentIndex(0);
    r.m.ButtonScan->click();
    r.m.ButtonBreakScan->click();
    EXPECT_EQ(r.sim.Requests(),
              (QStringList{"55 69 00 00 00 00 aa 82",
                           "55 6e 01 00 0a 00 e6 45 00 00 00 00 00 00 01 00 00 00",
                           "55 6e 00 00 00 00 aa 07"}));
}

TEST(Scope, CycleTimeDisplaysAndDeltaX) {
    const struct {
        std::optional<std::pair<int32_t, int32_t>> counts;  // none: the sensor stays silent
        const char *cycle, *frequency, *deltaX;  // delta X of cursors 64 samples apart
        QString logStart;
    } cases[] = {
        {{{1, 1000}}, "0.10", "10000", "6.400", ""},
        {{{100, 10000}}, "1.00", "1000", "64.000", ""},
        {{{100000, 10000}}, "1000.0", "1.000", "64000", ""},
        {{{250, 10000}}, "2.5", "400.000", "160.000", ""},
        {{{5, 0}}, "0.00", "0", "0.000000", "cycle time counts A=5, B=0 give no positive cycle time"},
        {{{-5, 100}}, "0.00", "0", "0.000000", "cycle time counts A=-5, B=100 give no positive"},
        {std::nullopt, "0.00", "0", "0.000000", LinkTexts::TIMEOUT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cycle + c.logStart.toStdString());
        ScopeRig r;
        MemoryTransport& sensor = r.Scripted(PROTOCOL_TCP);
        if (c.counts) {
            const auto [a, b] = *c.counts;
            sensor.answers << WireFrame(ORDER_GET_CYCLE_TIME, 0, Bytes({
                static_cast<uint16_t>(a & 0xFFFF), static_cast<uint16_t>(uint32_t(a) >> 16),
                static_cast<uint16_t>(b & 0xFFFF), static_cast<uint16_t>(uint32_t(b) >> 16)}));
        }
        r.program.scope.cycleTimeMs = 2.5;  // an earlier query's
        r.program.scopeDisplay.SetCursor(0, 10, 100);
        r.program.scopeDisplay.SetCursor(1, 74, 100);
        r.m.ButtonGetCycleTime->click();
        EXPECT_EQ(r.m.DispCycleTime->text(), c.cycle);
        EXPECT_EQ(r.m.DispScanFreq->text(), c.frequency);
        EXPECT_EQ(r.s.DispDeltaX->text(), c.deltaX);
        EXPECT_TRUE(r.Log().startsWith(c.logStart)) << r.Log().toStdString();
    }
}

TEST(Scope, TriggerModeDimsTheInputsItDoesNotUse) {
    ScopeRig r;
    const struct {
        int mode;
        bool preTrigger, level;
    } cases[] = {{0, false, false}, {1, true, true}, {2, true, true}, {3, true, false}, {4, true, false}};
    for (const auto& c : cases) {
        r.m.EditTriggerMode->setCurrentIndex(c.mode);
        EXPECT_EQ(r.m.EditPreTrigVal->isEnabled(), c.preTrigger) << c.mode;
        EXPECT_EQ(r.m.EditTriggerLevel->isEnabled(), c.level) << c.mode;
    }
}

TEST(Scope, ScriptedScanIsOrderedAroundTheTrigger) {
    ScopeRig r;
    r.m.EditTriggerMode->setCurrentIndex(1);
    r.m.EditPreTrigVal->setValue(20);
    r.Scripted(PROTOCOL_RS232).answers
        << WireFrame(ORDER_SCOPE_SCAN, 1) + ScopeFrame(0, 10) + ScopeFrame(1000, 10) +
               ScopeFrame(2000, 10) + StateFrame(0x21);
    r.m.ButtonScan->click();
    const ScopeState& scope = r.program.scope;
    EXPECT_EQ(scope.scopeTraces[0][0], 118);
    EXPECT_EQ(scope.scopeTraces[0][20], 10);
    EXPECT_EQ(scope.scopeTraces[2][127], 2117);
    QList<int> levels;
    for (const ScopeRow& trace : scope.digitalTraces) levels << trace[5];
    EXPECT_EQ(levels, (QList<int>{9, 6, 4, 2, 0, 11}));
    EXPECT_EQ(r.AnalogTraces(), 3);
    EXPECT_EQ(r.s.GraphScopeDigital->graphCount(), 6);
    EXPECT_EQ(r.Log(), "");
}

TEST(Scope, ABadFrameOverSerialKeepsItsTraceOverTcpEndsTheScan) {
    const struct {
        uint16_t protocol;
        const char* name;
        bool plotted;
    } cases[] = {{PROTOCOL_RS232, "serial", true}, {PROTOCOL_TCP, "tcp", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScopeRig r;
        r.program.scope.scopeTraces[1].fill(7);
        QByteArray corrupted = ScopeFrame(1000, 0);
        corrupted[HEADER_BYTES + 4] ^= 0x01;
        r.Scripted(c.protocol).answers << WireFrame(ORDER_SCOPE_SCAN, 1) + ScopeFrame(0, 0) +
                                              corrupted + ScopeFrame(2000, 0) + StateFrame(0);
        r.m.ButtonScan->click();
        const ScopeState& scope = r.program.scope;
        EXPECT_EQ(r.Log(), LinkTexts::BAD_DATA + "\n\n");
        EXPECT_EQ(scope.scopeTraces[1][0], 7) << "the bad frame's trace keeps its samples";
        EXPECT_EQ(scope.scopeTraces[2][0], c.plotted ? 2000 : 0);
        EXPECT_EQ(r.AnalogTraces(), c.plotted ? 3 : 0);
    }
}

TEST(Scope, FailuresEndTheScanWithTheirTexts) {
    QByteArray badHeader = ScopeFrame(0, 0);
    badHeader[7] = static_cast<char>(badHeader[7] ^ 0x01);  // the header's own CRC
    const QByteArray ack = WireFrame(ORDER_SCOPE_SCAN, 1);
    const QByteArray rest = ScopeFrame(1000, 0) + ScopeFrame(2000, 0) + StateFrame(0);
    const struct {
        const char* name;
        uint16_t protocol;
        std::optional<QByteArray> stream;  // none: the start order is not answered
        bool portFails;                    // the port fails while the scan waits
        QString log;
        bool plotted;  // over RS-232 the other frames still make a plot
    } cases[] = {
        {"start order fails", PROTOCOL_TCP, std::nullopt, false, LinkTexts::TIMEOUT, false},
        {"port error while waiting", PROTOCOL_RS232, ack, true, LinkTexts::PORT_ERROR, false},
        {"tcp bad header", PROTOCOL_TCP, ack + badHeader + rest, false, LinkTexts::BAD_HEADER,
         false},
        {"tcp empty frame", PROTOCOL_TCP, ack + WireFrame(ORDER_SCOPE_SCAN, 0) + rest, false,
         LinkTexts::BAD_HEADER, false},
        {"tcp short frame", PROTOCOL_TCP,
         ack + WireFrame(ORDER_SCOPE_SCAN, 0, QByteArray(100, 1)) + rest, false,
         LinkTexts::BAD_HEADER, false},
        {"serial empty frame", PROTOCOL_RS232,
         ack + WireFrame(ORDER_SCOPE_SCAN, 0) + ScopeFrame(0, 0) + rest, false,
         LinkTexts::SHORT_ANSWER, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScopeRig r;
        MemoryTransport& sensor = r.Scripted(c.protocol);
        if (c.stream) sensor.answers << *c.stream;
        if (c.portFails) QTimer::singleShot(100, &r.program, [&sensor] { sensor.Break(); });
        r.m.ButtonScan->click();
        EXPECT_EQ(r.Log(), c.log + "\n\n");
        EXPECT_EQ(r.program.scope.scopeTraces[0][5], 0) << "nothing stale enters a trace";
        EXPECT_EQ(r.AnalogTraces(), c.plotted ? 3 : 0);
        EXPECT_FALSE(r.program.scope.scopeScanning);
    }
}

TEST(Scope, ScansOfTheSensorOverBothTransports) {
    for (bool tcp : {true, false}) {
        SCOPED_TRACE(tcp ? "tcp" : "serial");
        ScopeRig r;
        r.Show();
        r.Connect(tcp);
        ASSERT_TRUE(r.program.flags.linkOk);
        r.m.TabMain1->setCurrentIndex(PAGE_SCOPE_SETTINGS);
        r.m.EditTriggerMode->setCurrentIndex(0);
        r.m.ButtonScan->click();
        EXPECT_EQ(r.AnalogTraces(), 3);
        EXPECT_TRUE(r.s.DispScanInProgress->isHidden());
        EXPECT_TRUE(r.program.panels.scopep.widget.isVisible());
        EXPECT_TRUE(r.m.ButtonScan->isEnabled());
        const auto previous = r.program.scope.scopeTraces;

        // A trigger that never comes: the scan waits until BREAK and plots nothing.
        r.m.EditTriggerMode->setCurrentIndex(1);
        r.m.EditTriggerLevel->setValue(4095);
        r.BreakAfter(300);
        r.m.ButtonScan->click();
        EXPECT_TRUE(r.waitShown);
        EXPECT_EQ(r.program.scope.scopeTraces, previous);
        EXPECT_FALSE(r.program.scope.scopeScanning);
        EXPECT_TRUE(r.program.flags.linkOk);
        // The link works on after the break.
        r.m.EditTriggerMode->setCurrentIndex(0);
        r.m.ButtonScan->click();
        EXPECT_NE(r.program.scope.scopeTraces, previous);
        EXPECT_EQ(r.Log().count("ATTENTION"), 0) << r.Log().toStdString();
    }
}

TEST(Scope, ClosingTheProgramEndsAWaitingScan) {
    ScopeRig r;
    r.Show();
    r.Connect(true);
    r.m.EditTriggerMode->setCurrentIndex(1);
    r.m.EditTriggerLevel->setValue(65535);  // never reached
    QTimer::singleShot(300, &r.program, [&] { r.program.window.close(); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { FAIL() << "the scan did not end"; });
    watchdog.start(10000);
    r.m.ButtonScan->click();
    EXPECT_TRUE(watchdog.isActive());
    EXPECT_FALSE(r.program.scope.scopeScanning);
    EXPECT_EQ(r.AnalogTraces(), 0);
}

TEST(Scope, CorruptedFrameFromTheSensorOverTcp) {
    ScopeRig r({"--frame-fault", "data-crc"});
    r.Connect(true);
    r.m.EditTriggerMode->setCurrentIndex(0);
    r.m.ButtonScan->click();
    EXPECT_TRUE(r.Log().contains(LinkTexts::BAD_DATA));
    EXPECT_EQ(r.AnalogTraces(), 0);
}

TEST(ScopeDisplay, CursorsZoomAndSelection) {
    ScopeRig r;
    r.Show();
    ScopeDisplay& d = r.program.scopeDisplay;
    r.program.scope.cycleTimeMs = 1.0;
    d.SetCursor(0, 10.7, 100.9);
    d.SetCursor(1, 3.2, 50.2);
    EXPECT_EQ(r.s.DispDeltaX->text(), "7.000");
    EXPECT_EQ(r.s.DispDeltaY->text(), "50");
    EXPECT_EQ(r.s.GraphScopeDigital->item(1)->positions()[0]->coords(), QPointF(3.2, 0));

    // Mouse: a click takes the nearer cursor; the keys move it sample by sample.
    QCustomPlot* graph = r.s.GraphScope;
    graph->replot();
    const QPoint at(static_cast<int>(graph->xAxis->coordToPixel(60)),
                    static_cast<int>(graph->yAxis->coordToPixel(2000)));
    QTest::mouseClick(graph, Qt::LeftButton, {}, at);
    EXPECT_NEAR(d.Cursor(0).x(), 60, 0.5);
    QTest::keyClick(graph, Qt::Key_2);
    QTest::keyClick(graph, Qt::Key_Right);
    EXPECT_NEAR(d.Cursor(1).x(), 4.2, 1e-9);

    // Ctrl + left drag zooms into the rectangle; the deltas are read again.
    r.program.scope.cycleTimeMs = 2.0;
    const auto pixel = [graph](double x, double y) {
        return QPoint(static_cast<int>(graph->xAxis->coordToPixel(x)),
                      static_cast<int>(graph->yAxis->coordToPixel(y)));
    };
    QTest::mousePress(graph, Qt::LeftButton, Qt::ControlModifier, pixel(20, 3000));
    QMouseEvent move(QEvent::MouseMove, pixel(40, 1000), graph->mapToGlobal(pixel(40, 1000)),
                     Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(graph, &move);
    QTest::mouseRelease(graph, Qt::LeftButton, Qt::ControlModifier, pixel(40, 1000));
    EXPECT_NEAR(graph->xAxis->range().lower, 20, 3);
    EXPECT_NEAR(graph->xAxis->range().upper, 40, 3);
    EXPECT_NEAR(d.Cursor(0).x(), 60, 0.5) << "a zoom does not move the cursors";
    EXPECT_EQ(r.s.DispDeltaX->text(), "110.000") << "55 samples x 1 x 2.0 ms";
    r.m.EditScanRate->setValue(20);
    EXPECT_EQ(r.s.DispDeltaX->text(), "2200") << "a new scan rate counts at once";
    r.m.EditScanRate->setValue(1);

    // The y range by signal and mode, restored by ZOOM 1:1 after a zoom.
    const struct {
        int signal, mode, top;
    } ranges[] = {{1, CALC_SIM_2D, 10000}, {1, CALC_SIM_3D, 10000}, {0, CALC_SIM_2D, 4100},
                  {1, CALC_XYINT_2D, 4100}};
    for (const auto& c : ranges) {
        r.m.EditScopeRecSignal->setCurrentIndex(c.signal);
        SetRing(r.m.EditCalcmode, c.mode);
        graph->xAxis->setRange(10, 20);
        graph->yAxis->setRange(5, 6);
        r.s.ButtonZoom11->click();
        EXPECT_EQ(graph->xAxis->range(), QCPRange(0, 128));
        EXPECT_EQ(graph->yAxis->range(), QCPRange(0, c.top)) << c.signal << c.mode;
    }

    // Display 2 shows the second trace alone; a new scan shows all three again.
    r.Scripted(PROTOCOL_RS232).answers
        << WireFrame(ORDER_SCOPE_SCAN, 1) + ScopeFrame(0, 0) + ScopeFrame(1000, 0) +
               ScopeFrame(2000, 0) + StateFrame(0);
    r.m.ButtonScan->click();
    r.s.EditScopeSignal->setCurrentIndex(2);
    emit r.s.EditScopeSignal->activated(2);
    ASSERT_EQ(r.AnalogTraces(), 1);
    EXPECT_EQ(graph->graph(0)->pen().color(), QColor(0x00, 0xFF, 0x00));
    EXPECT_EQ(graph->graph(0)->data()->at(0)->value, 1000);
    r.memory->answers << WireFrame(ORDER_SCOPE_SCAN, 1) + ScopeFrame(0, 0) + ScopeFrame(1000, 0) +
                             ScopeFrame(2000, 0) + StateFrame(0);
    r.m.ButtonScan->click();
    EXPECT_EQ(r.AnalogTraces(), 3);
    EXPECT_EQ(r.s.EditScopeSignal->currentIndex(), 2);
}

TEST(ScopeDisplay, CommentKeepsItsLimitAndARightDoubleClickClearsIt) {
    ScopeRig r;
    r.Show();
    QPlainTextEdit* comment = r.m.EditScopeComment;
    comment->setPlainText(QString(1100, 'c'));
    EXPECT_EQ(comment->toPlainText().size(), SCOPE_COMMENT_CHARS);
    QTest::mouseDClick(comment->viewport(), Qt::LeftButton);
    EXPECT_FALSE(comment->toPlainText().isEmpty());
    QTest::mouseDClick(comment->viewport(), Qt::RightButton);
    EXPECT_TRUE(comment->toPlainText().isEmpty());
}

TEST(ScopePrint, ReportAsPdf) {
    const struct {
        QString id, comment;
        QStringList lines;  // the report's own lines, in order
    } cases[] = {
        {"", "", {"Scope Screen Shot", "CHROMIK3-DLS-Scope V4.2"}},
        {"LINE 4", "checked after cleaning",
         {"Scope Screen Shot", "CHROMIK3-DLS-Scope V4.2", "PANEL ID: LINE 4", "COMMENT:",
          "checked after cleaning"}},
        {"LINE 4", "", {"Scope Screen Shot", "CHROMIK3-DLS-Scope V4.2", "PANEL ID: LINE 4"}},
        // A long comment wraps; its own line breaks stay.
        {"", "night crew\n" + QString("wide ").repeated(40).trimmed(),
         {"Scope Screen Shot", "CHROMIK3-DLS-Scope V4.2", "COMMENT:", "night crew",
          QString("wide ").repeated(40).trimmed()}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id.toStdString());
        ScopeRig r;
        r.Show();
        r.program.SetSensorId(c.id);
        r.m.EditScopeComment->setPlainText(c.comment);
        r.program.panels.ShowChildPanel(&r.program.panels.scopep.widget);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("report.pdf");
        r.platform.printerAnswers = {pdf};
        r.s.ButtonPrintScopeGraph->click();
        ASSERT_FALSE(r.platform.shown.isEmpty());
        EXPECT_EQ(r.platform.shown.last().title, "Info!");
        EXPECT_EQ(r.platform.shown.last().text, "Print successful!");
        QStringList text;
        for (const QString& line : PdfText(pdf).split('\n'))
            if (!line.simplified().isEmpty()) text << line.simplified();
        // Date and time head the page, "Page 1 of 1" ends it.
        ASSERT_GE(text.size(), c.lines.size() + 2);
        EXPECT_TRUE(text.first().startsWith(QLocale().toString(QDate(2026, 3, 7), QLocale::ShortFormat)));
        EXPECT_TRUE(text.first().endsWith("08:05:09"));
        // Wrapped lines are joined again to compare them.
        QStringList body = text.mid(1, text.size() - 2);
        for (int k = 0; k < body.size() && k < c.lines.size(); ++k)
            while (k + 1 < body.size() && body[k] != c.lines[k] &&
                   c.lines[k].startsWith(body[k] + " "))
                body[k] += " " + body.takeAt(k + 1);
        EXPECT_EQ(body.mid(0, c.lines.size()), c.lines);
        EXPECT_EQ(text.last(), "Page 1 of 1");
        // The picture of SCOPEP, drawn as text and lines, follows the report's lines.
        const QString picture = body.mid(c.lines.size()).join('\n');
        for (const char* caption : {"delta X [ms]", "ZOOM 1:1", "PRINT"})
            EXPECT_TRUE(picture.contains(caption)) << caption;
    }
}

TEST(ScopePrint, CancelPrintsNothingAndAFailureSaysSo) {
    ScopeRig r;
    r.Show();
    r.s.ButtonPrintScopeGraph->click();
    EXPECT_TRUE(r.platform.shown.isEmpty());
    r.platform.printerAnswers = {"/nonexistent-dir/report.pdf"};
    r.s.ButtonPrintScopeGraph->click();
    ASSERT_EQ(r.platform.shown.size(), 1);
    EXPECT_EQ(r.platform.shown[0].title, "Info!");
    EXPECT_EQ(r.platform.shown[0].text, "Print error ");
}
