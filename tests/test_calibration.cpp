// White-light calibration and offset compensation: the check, the bytes on the wire,
// and calibrating the simulated sensor's white target end to end.
#include <gtest/gtest.h>

#include "calib/calibration.h"
#include "support/rig.h"

TEST(CheckCalibration, FactorsAndLimits) {
    struct Case {
        const char* name;
        RawAverages averages;
        int setValue, maxDelta;
        CalibrationCheck check;
        std::array<uint16_t, 3> factors;
    };
    const Case cases[] = {
        {"averages at the set value", {{2000, 2000, 2000}, 0}, 2000, 100, CalibrationCheck::Passed,
         {1024, 1024, 1024}},
        {"worked example", {{1000, 2000, 4000}, 3000}, 2048, 3000, CalibrationCheck::Passed,
         {2097, 1048, 524}},
        {"4 / 1 is 4096", {{1, 1, 1}, 0}, 4, 100, CalibrationCheck::Passed, {4096, 4096, 4096}},
        {"average 0 counts as 1", {{0, 1, 1}, 0}, 4, 100, CalibrationCheck::Passed,
         {4096, 4096, 4096}},
        {"5 / 1 is out of range", {{1, 1, 1}, 0}, 5, 100, CalibrationCheck::FactorOutOfRange, {}},
        {"1000 / 15 is out of range", {{15, 1000, 1000}, 0}, 1000, 100,
         CalibrationCheck::FactorOutOfRange, {}},
        {"spread above the maximum", {{1000, 1000, 1000}, 101}, 1000, 100,
         CalibrationCheck::DeltaTooHigh, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CalibrationResult r = CheckCalibration(c.averages, c.setValue, c.maxDelta);
        EXPECT_EQ(r.check, c.check);
        if (c.check == CalibrationCheck::Passed) EXPECT_EQ(r.factors, c.factors);
    }
}

namespace {

struct CalibrationRig : Rig {
    explicit CalibrationRig(const QStringList& args = {}) : Rig(args) {
        SelectTcp();
        program.comm.TryToConnect();
        sim.ClearRequests();
    }
    Ui::MAINP& m = program.panels.mainUi;
};

}  // namespace

TEST(Calibration, TransfersOnTheWire) {
    CalibrationRig r;
    ASSERT_TRUE(r.program.flags.linkOk);
    for (QSpinBox* f : FactorInputs(r.m)) f->setValue(1024);
    r.m.EditRedOffset->setValue(10);
    r.m.EditGreenOffset->setValue(20);
    r.m.EditBlueOffset->setValue(30);
    r.m.ButtonSendCF->click();
    r.m.ButtonSendOffset->click();
    r.platform.confirmAnswers = {true};
    r.m.ButtonCalcOffset->click();
    const QStringList requests = r.sim.Requests();
    ASSERT_GE(requests.size(), 3);
    EXPECT_EQ(requests[0], "55 65 00 00 06 00 73 e5 00 04 00 04 00 04");
    EXPECT_EQ(requests[1], "55 65 01 00 06 00 5a 97 0a 00 14 00 1e 00");
    EXPECT_EQ(requests[2], "55 64 01 00 00 00 aa 05");
    EXPECT_EQ(r.platform.shown[0].title, "CALCULATE OFFSET");
    EXPECT_EQ(r.platform.shown[0].text, "Make sure, that the receiver of the sensor is covered!");
    // The sensor measured its dark levels; displays and inputs show them.
    EXPECT_EQ(r.m.DispRedOffset->text(), "43");
    EXPECT_EQ(r.m.EditBlueOffset->value(), 46);
}

TEST(Calibration, ImplausibleFactorIsReported) {
    CalibrationRig r;
    r.m.EditCFG->setValue(4096);
    r.m.EditCFR->setMaximum(65535);  // only a damaged input could hold more
    r.m.EditCFR->setValue(5000);
    r.m.ButtonSendCF->click();
    EXPECT_TRUE(r.Log().endsWith(
        "INFO!\n1 PARAMETER IN RAM DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO DEFAULT VALUE!\n\n"));
}

TEST(Calibration, GetOffsetReplacesTheFactorsNotTheDisplays) {
    CalibrationRig r;
    r.m.DispRedOffset->setText("7");
    for (QSpinBox* f : FactorInputs(r.m)) f->setValue(1);
    r.m.ButtonGetOffset->click();
    EXPECT_EQ(r.m.EditCFR->value(), 975);
    EXPECT_EQ(r.m.EditRedOffset->value(), 40);
    EXPECT_EQ(r.m.DispRedOffset->text(), "7");
}

TEST(Calibration, FailedSensorCalculationChangesNoInput) {
    struct Case {
        const char* name;
        const char* fault;
        QPushButton* Ui::MAINP::*button;
    };
    const Case cases[] = {
        {"offset measurement", "error1", &Ui::MAINP::ButtonCalcOffset},
        {"self-calibration", "error2", &Ui::MAINP::ButtonStartSelfCalibration},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig({"--fault", c.fault, "--fault-every", "4"});  // answers 1-3 connect, 4 fails
        rig.SelectTcp();
        rig.program.comm.TryToConnect();
        Ui::MAINP& m = rig.program.panels.mainUi;
        m.EditRedOffset->setValue(11);
        m.DispRedOffset->setText("12");
        m.EditCFR->setValue(777);
        m.EditSetValue->setValue(1234);
        rig.platform.confirmAnswers = {true};
        (m.*c.button)->click();
        EXPECT_EQ(m.EditRedOffset->value(), 11);
        EXPECT_EQ(m.DispRedOffset->text(), "12");
        EXPECT_EQ(m.EditCFR->value(), 777);
        EXPECT_EQ(m.EditSetValue->value(), 1234);
        EXPECT_FALSE(rig.program.flags.linkOk) << "the failure was reported";
    }
}

TEST(Calibration, WhiteTargetComesOutAtTheSetValue) {
    CalibrationRig r({"--white"});
    Program& p = r.program;
    r.m.EditSetValue->setValue(2000);
    r.m.EditMaxDelta->setValue(1000);
    r.platform.confirmAnswers = {true, true};  // SEND POWER, CONFIRM CALCULATION!
    // The GO loop that follows the calculation: judge its frames, then stop.
    QList<MeasurementFrame> frames;
    QObject::connect(&p.acquisition, &AcquisitionLoop::FrameArrived, &p,
                     [&](const MeasurementFrame& f) {
                         frames << f;
                         if (frames.size() == 20) p.flags.goRunning = false;
                     });
    r.m.ButtonCalcCF->click();
    ASSERT_EQ(frames.size(), 20);
    EXPECT_EQ(r.platform.shown.last().title, "CALIBRATION PASSED!");
    int red = 0, green = 0, blue = 0;
    for (const MeasurementFrame& f : frames) {
        red += f.red;
        green += f.green;
        blue += f.blue;
    }
    for (int mean : {red / 20, green / 20, blue / 20}) EXPECT_NEAR(mean, 2000, 40);
    EXPECT_EQ(r.m.ButtonCalcCF->styleSheet(), "background-color: #E0E0E0;");
    EXPECT_TRUE(r.m.ButtonGo->isEnabled());
}

TEST(Calibration, FailedCheckSendsTheOldFactors) {
    CalibrationRig r({"--white"});
    Program& p = r.program;
    for (QSpinBox* f : FactorInputs(r.m)) f->setValue(1000);
    r.m.EditSetValue->setValue(4095);
    r.m.EditMaxDelta->setValue(0);  // no real target is that even
    r.platform.confirmAnswers = {true, true};
    QObject::connect(&p.acquisition, &AcquisitionLoop::FrameArrived, &p,
                     [&] { p.flags.goRunning = false; });
    r.m.ButtonCalcCF->click();
    EXPECT_EQ(r.m.EditCFR->value(), 1000);
    bool sent = false;
    for (const QString& request : r.sim.Requests())
        sent = sent || (request.startsWith("55 65 00 00 06 00") &&
                        request.endsWith("e8 03 e8 03 e8 03"));
    EXPECT_TRUE(sent) << "the factors shown go to the sensor";
    QStringList texts;
    for (const auto& s : r.platform.shown) texts << s.text;
    EXPECT_TRUE(texts.contains(CalibrationTexts::DELTA_TOO_HIGH));
}

TEST(Calibration, SelfCalibrationShowsAndSendsNothing) {
    CalibrationRig r({"--white"});
    r.platform.confirmAnswers = {true};
    r.m.ButtonStartSelfCalibration->click();
    EXPECT_EQ(r.m.EditSetValue->value(), 2000);
    EXPECT_EQ(r.m.EditMaxDelta->value(), 1000);
    EXPECT_NEAR(r.m.EditCFG->value(), 2000 * 1024 / 2400, 30);
    EXPECT_EQ(r.platform.shown.last().text, "Confirm calibration factors with SEND CF.");
    for (const QString& request : r.sim.Requests()) EXPECT_FALSE(request.startsWith("55 65"));
}

TEST(Calibration, NoFrameAtAllChangesNoFactor) {
    Rig rig;  // not connected: every request fails at once
    Ui::MAINP& m = rig.program.panels.mainUi;
    for (QSpinBox* f : FactorInputs(m)) f->setValue(900);
    rig.platform.confirmAnswers = {true, true};
    m.ButtonCalcCF->click();
    QStringList texts;
    for (const auto& s : rig.platform.shown) texts << s.text;
    EXPECT_TRUE(texts.contains(CalibrationTexts::NO_FRAME));
    EXPECT_FALSE(texts.contains(CalibrationTexts::PASSED));
    EXPECT_EQ(m.EditCFR->value(), 900);
    EXPECT_TRUE(m.ButtonGo->isEnabled());
}

TEST(Calibration, DeclinedCalculationStillSendsTheShownFactorsAndRunsGo) {
    CalibrationRig r;
    Program& p = r.program;
    for (QSpinBox* f : FactorInputs(r.m)) f->setValue(1000);
    r.platform.confirmAnswers = {true, false};  // SEND POWER yes, CONFIRM CALCULATION! no
    bool goRan = false;
    QObject::connect(&p.acquisition, &AcquisitionLoop::FrameArrived, &p, [&] {
        goRan = true;
        p.flags.goRunning = false;
    });
    r.m.ButtonCalcCF->click();
    ASSERT_GE(r.platform.shown.size(), 3);
    EXPECT_EQ(r.platform.shown[1].title, "CONFIRM CALCULATION!");
    EXPECT_EQ(r.platform.shown[2].title, "INFO!");
    EXPECT_EQ(r.platform.shown[2].text,
              "Please insert the right values and press \n CALCULATE CALIBRATION FACTORS again.");
    const QStringList requests = r.sim.Requests();
    ASSERT_FALSE(requests.isEmpty());
    EXPECT_TRUE(requests[0].endsWith("e8 03 e8 03 e8 03")) << requests[0].toStdString();
    EXPECT_TRUE(goRan);
}
