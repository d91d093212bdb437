// The measurement frame, the live displays and the GO loop.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include "core/measurement.h"
#include "support/link_texts.h"
#include "support/rig.h"

TEST(MeasurementFrame, DecodesSignedDeltaAndRawDelta) {
    uint16_t words[MEASUREMENT_WORDS] = {};
    words[6] = 0xFFFE;
    words[11] = 1000;
    words[12] = 1300;
    words[13] = 900;
    MeasurementFrame frame{};
    DecodeMeasurementFrame(words, frame);
    EXPECT_EQ(frame.deltaC, -2);
    EXPECT_EQ(RawDelta(frame), 400);
}

TEST(MeasurementFrame, ShortAnswerKeepsTheOlderWords) {
    Rig rig;
    SensorLink& link = rig.program.link;
    std::fill(std::begin(link.buffers.measurementWords), std::end(link.buffers.measurementWords),
              7);
    // An answer of 4 words.
    link.answer.length = 8;
    for (int i = 0; i < 8; ++i)
        link.buffers.receive[HEADER_BYTES + i] = static_cast<uint8_t>(i % 2 ? 0 : 100 + i);
    rig.program.acquisition.DecodeDataFrame();
    const MeasurementFrame& f = rig.program.acquisition.frame;
    EXPECT_EQ(f.red, 100);
    EXPECT_EQ(f.x, 106);
    EXPECT_EQ(f.intensity, 7);
    EXPECT_EQ(f.temperature, 7);
}

TEST(Swatch, EachChannelDividedBy16) {
    const struct {
        uint16_t red, green, blue;
        uint32_t colour;
    } cases[] = {{4095, 2048, 0, 0xFF8000}, {15, 16, 4095, 0x0001FF}, {65535, 0, 0, 0xFF0000}};
    for (const auto& c : cases) {
        MeasurementFrame f{};
        f.red = c.red;
        f.green = c.green;
        f.blue = c.blue;
        EXPECT_EQ(SwatchColour(f), c.colour) << c.red;
    }
}

TEST(OutputLeds, BinaryPatternAnd255LightsAll) {
    const std::pair<uint16_t, std::array<bool, 5>> cases[] = {
        {19, {true, true, false, false, true}},   {255, {true, true, true, true, true}},
        {0, {false, false, false, false, false}}, {16, {false, false, false, false, true}},
        {31, {true, true, true, true, true}},
    };
    for (const auto& [number, leds] : cases) EXPECT_EQ(OutputLeds(number), leds) << number;
}

TEST(LiveDisplays, ShowTheFrameAndTouchLedsOnlyAboveMinDist) {
    Rig rig;
    Program& p = rig.program;
    Ui::DATAP& d = p.panels.datap.ui;
    MeasurementFrame f{};
    f.red = 4095;
    f.green = 2048;
    f.deltaC = -1;
    f.colorNumber = 19;
    f.temperature = 35;
    const QString darkStyle = d.LedOut2->styleSheet();

    p.displays.UpdateLiveDisplays(f, FIRST_HIT);
    p.displays.Flush();
    EXPECT_EQ(d.DispDeltaC->text(), "-1");
    EXPECT_EQ(d.DispRED->text(), "4095");
    EXPECT_EQ(d.DispCOL->text(), "19");
    EXPECT_EQ(p.panels.colbigp.ui.DispBigCol->text(), "19");
    EXPECT_EQ(p.panels.mainUi.DispTemp->text(), "35");
    EXPECT_EQ(p.panels.teachp1.ui.DispTP1Red->text(), "4095");
    EXPECT_EQ(d.DispColor->palette().color(QPalette::Window), QColor(255, 128, 0));
    EXPECT_EQ(p.displays.CurrentColour(), 0xFF8000u);
    EXPECT_EQ(d.LedOut0->styleSheet(), darkStyle) << "FIRST HIT leaves the LEDs alone";

    f.rawRed = 1000;
    f.rawGreen = 1300;
    f.rawBlue = 900;
    p.displays.UpdateRawValues(f);
    p.displays.Flush();
    const Ui::MAINP& m = p.panels.mainUi;
    EXPECT_EQ(m.DispRawRed->text(), "1000");
    EXPECT_EQ(m.DispRawDelta->text(), "400");
    EXPECT_EQ(m.DispCalRed->text(), "4095");

    p.displays.UpdateLiveDisplays(f, COL5);
    p.displays.Flush();
    EXPECT_NE(d.LedOut0->styleSheet(), darkStyle);
    EXPECT_NE(d.LedOut1->styleSheet(), darkStyle);
    EXPECT_EQ(d.LedOut2->styleSheet(), darkStyle);
    EXPECT_EQ(d.LedOut3->styleSheet(), darkStyle);
    EXPECT_NE(d.LedOut4->styleSheet(), darkStyle);
}

TEST(LiveDisplays, BigDisplaysOpenOnDoubleClickAndHideOnRightClick) {
    Rig rig;
    Program& p = rig.program;
    p.window.show();
    QWidget& big = p.panels.colbigp.widget;
    QTest::mouseDClick(p.panels.datap.ui.DispCOL, Qt::LeftButton);
    EXPECT_TRUE(big.isVisible());
    QTest::mouseDClick(p.panels.datap.ui.DispCOL, Qt::LeftButton);
    EXPECT_TRUE(big.isVisible());
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5),
                                 big.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(p.panels.colbigp.ui.DispBigCol, &rightClick);
    EXPECT_FALSE(big.isVisible());
    QTest::mouseDClick(p.panels.datap.ui.DispGroup, Qt::LeftButton);
    EXPECT_TRUE(p.panels.grpbigp.widget.isVisible());
    p.panels.grpbigp.widget.close();
    EXPECT_FALSE(p.panels.grpbigp.widget.isVisible());
}

namespace {

int Count(const QStringList& requests, const QString& head) {
    return static_cast<int>(std::count_if(requests.begin(), requests.end(),
                                          [&](const QString& r) { return r.startsWith(head); }));
}

const char* const GET_DATA = "55 08 00 00 00 00 aa 76";

}  // namespace

TEST(GoLoop, StopDuringATransactionStillShowsThatFrame) {
    Rig rig({"--fault", "delay", "--fault-every", "1", "--fault-delay", "400"});
    Program& p = rig.program;
    rig.SelectTcp();
    p.link.settings = p.comm.PageSettings();
    ASSERT_TRUE(p.link.ConnectTcp());
    // STOP as soon as the sensor has the first request, while its answer is delayed.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &p, [&] {
        if (Count(rig.sim.Requests(), GET_DATA) > 0) p.panels.mainUi.ButtonStop->click();
    });
    poll.start(5);
    p.panels.mainUi.ButtonGo->click();
    EXPECT_FALSE(p.flags.goRunning);
    EXPECT_EQ(Count(rig.sim.Requests(), GET_DATA), 1);
    EXPECT_NE(p.panels.datap.ui.DispRED->text(), "0");
    EXPECT_EQ(p.acquisition.frame.red, p.panels.datap.ui.DispRED->text().toInt());
    EXPECT_TRUE(p.panels.mainUi.ButtonGo->isEnabled());
}

TEST(GoLoop, SendDuringGoGoesOnceBetweenTwoFrames) {
    Rig rig;
    Program& p = rig.program;
    rig.SelectSerial();
    p.comm.TryToConnect();
    rig.sim.ClearRequests();
    // SEND once the loop runs; STOP once two frames followed the send, however slow
    // the machine is.
    int frames = 0;
    int framesAfterSend = 0;
    QObject::connect(&p.acquisition, &AcquisitionLoop::FrameArrived, &p, [&] {
        if (++frames == 2) p.panels.mainUi.ButtonSend->click();
        if (frames > 2 && !p.flags.sendPending && ++framesAfterSend == 2)
            p.panels.mainUi.ButtonStop->click();
    });
    p.panels.mainUi.ButtonGo->click();
    const QStringList requests = rig.sim.Requests();
    EXPECT_EQ(Count(requests, "55 01 00 00 24 00"), 1);
    EXPECT_EQ(Count(requests, "55 01 02 00 f0 01"), 1);
    const auto send = std::find_if(requests.begin(), requests.end(),
                                   [](const QString& r) { return r.startsWith("55 01"); });
    ASSERT_NE(send, requests.end());
    const auto sendAt = send - requests.begin();
    ASSERT_GT(sendAt, 0);
    ASSERT_LT(sendAt + 2, requests.size());
    EXPECT_TRUE(requests[sendAt - 1].startsWith(GET_DATA));
    EXPECT_TRUE(requests[sendAt + 2].startsWith(GET_DATA)) << "the loop goes on after the send";
    EXPECT_FALSE(p.flags.sendPending);
}

TEST(GoLoop, SilentSensorEndsTheLoopAfterTheAnswerTimeOut) {
    Rig rig({"--fault", "silent", "--fault-every", "6"});
    Program& p = rig.program;
    rig.SelectSerial();
    p.comm.TryToConnect();  // answers 1 to 3
    EXPECT_EQ(p.link.answerTimeout, 3.0);
    p.link.answerTimeout = 1.0;
    QElapsedTimer clock;
    clock.start();
    p.panels.mainUi.ButtonGo->click();  // answers 4 and 5 arrive, 6 never does
    // The wait ends by its deadline, never before it.
    EXPECT_GE(clock.elapsed(), 1000);
    EXPECT_FALSE(p.flags.goRunning);
    EXPECT_TRUE(rig.Log().endsWith(ExpectedText::TIMEOUT + "\n\n"));
    EXPECT_EQ(rig.Status(), "TIMEOUT!");
    EXPECT_EQ(p.panels.mainUi.TabMain1->currentIndex(), PAGE_COMMUNICATION);
}
