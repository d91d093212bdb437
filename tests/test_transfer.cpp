// SEND and GET end to end against the simulated sensor, checked on the wire.
#include <gtest/gtest.h>

#include "support/link_texts.h"
#include "support/rig.h"
#include "support/sample_parameters.h"
#include "ui/grid.h"

namespace {

// Opens the serial link without identifying the sensor.
void Open(Rig& rig) {
    rig.program.link.settings.comPort = 1;
    ASSERT_TRUE(rig.program.link.OpenComPort());
}

// The first `n` hex bytes of each logged request.
QStringList Heads(const QStringList& requests, int n = 8) {
    QStringList heads;
    for (const QString& r : requests) heads << r.left(3 * n - 1);
    return heads;
}

const char* const GET_FIRMWARE = "55 07 00 00 00 00 aa 52";

}  // namespace

TEST(Transfer, ConnectReadsTheFirmwareThenParaSet0FromRam) {
    Rig rig;
    rig.SelectSerial();
    rig.program.comm.TryToConnect();
    EXPECT_EQ(rig.sim.Requests(),
              (QStringList{GET_FIRMWARE, "55 02 00 00 00 00 aa b9", "55 02 02 00 00 00 aa 3a"}));
    // The factory set teaches four colours; the page shows them.
    Ui::MAINP& m = rig.program.panels.mainUi;
    EXPECT_EQ(m.EditMaxVecNo->value(), 4);
    EXPECT_EQ(m.SlidePower->value(), 500);
    EXPECT_NE(CellWord(m.GridCtt, 0, 0), 1);
    EXPECT_TRUE(m.ButtonAccept->isEnabled());
}

TEST(Transfer, GetSendsTheFramesOfItsMemoryAndSet) {
    struct Case {
        const char* name;
        MemorySelect memory;
        int set;
        QStringList frames;
    };
    const Case cases[] = {
        {"RAM set 0", MemorySelect::Ram, 0, {"55 02 00 00 00 00 aa b9", "55 02 02 00 00 00 aa 3a"}},
        {"RAM set 1", MemorySelect::Ram, 1, {"55 02 01 00 00 00 aa 74", "55 02 03 00 00 00 aa f7"}},
        {"EEPROM set 0",
         MemorySelect::Eeprom,
         0,
         {"55 04 00 00 00 00 aa 0b", "55 02 00 00 00 00 aa b9", "55 02 02 00 00 00 aa 3a"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        Open(rig);
        rig.program.flags.memorySelect = c.memory;
        rig.program.flags.parameterSetIndex = c.set;
        rig.program.transfer.GetParameters();
        EXPECT_EQ(rig.sim.Requests(), c.frames);
        EXPECT_EQ(rig.Log(), "");
    }
}

TEST(Transfer, SendSendsBothBlocksAndStoresOnlyForEeprom) {
    for (MemorySelect memory : {MemorySelect::Ram, MemorySelect::Eeprom}) {
        Rig rig;
        Open(rig);
        rig.program.flags.memorySelect = memory;
        rig.program.flags.parameterSetIndex = 1;
        rig.program.panels.mainUi.SlidePower->setValue(500);
        rig.program.transfer.SendParameters();
        const QStringList requests = rig.sim.Requests();
        ASSERT_EQ(requests.size(), memory == MemorySelect::Eeprom ? 3 : 2);
        EXPECT_TRUE(requests[0].startsWith("55 01 01 00 24 00")) << requests[0].toStdString();
        EXPECT_EQ(requests[0].split(' ').size(), 8 + 36);
        EXPECT_EQ(requests[0].mid(3 * 8, 5), "f4 01");
        EXPECT_TRUE(requests[1].startsWith("55 01 03 00 f0 01")) << requests[1].toStdString();
        EXPECT_EQ(requests[1].split(' ').size(), 8 + 496);
        if (memory == MemorySelect::Eeprom) {
            EXPECT_EQ(requests[2], "55 03 00 00 00 00 aa 8e");
        }
    }
}

TEST(Transfer, PlausibilityCountIsReportedAndTheTableStillGoes) {
    Rig rig({"--fault", "count"});
    Open(rig);
    rig.program.flags.goRunning = true;
    rig.program.transfer.SendParameters();
    EXPECT_EQ(rig.Log(),
              "INFO!\n3 PARAMETER IN RAM DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO DEFAULT "
              "VALUE!\n\n");
    EXPECT_FALSE(rig.program.flags.goRunning);
    EXPECT_EQ(rig.sim.Requests().size(), 2);
}

TEST(Transfer, SilentSensorGetsNoTableBlockAndNoStore) {
    Rig rig({"--fault", "silent"});
    Open(rig);
    rig.program.flags.memorySelect = MemorySelect::Eeprom;
    rig.program.transfer.SendParameters();
    EXPECT_EQ(Heads(rig.sim.Requests(), 6), QStringList{"55 01 00 00 24 00"});
    EXPECT_TRUE(rig.Log().endsWith(ExpectedText::TIMEOUT + "\n\n"));
}

TEST(Transfer, ShortBlockIsRefusedAndChangesNothing) {
    Rig rig({"--fault", "empty"});
    Open(rig);
    Ui::MAINP& m = rig.program.panels.mainUi;
    m.SlidePower->setValue(123);
    rig.program.paramControls.ControlsToParameterSet();
    const ParameterSet before = rig.program.parameterSet;
    rig.program.transfer.GetParameters();
    EXPECT_EQ(rig.Log(), "ATTENTION! \nRECEIVED DATA FRAME IS INCOMPLETE!\n\n");
    EXPECT_EQ(std::memcmp(&before, &rig.program.parameterSet, sizeof before), 0);
    EXPECT_EQ(m.SlidePower->value(), 123);
    EXPECT_EQ(rig.sim.Requests().size(), 1);
}

TEST(Transfer, ReservedWordsGoBackUnchanged) {
    Rig rig;
    rig.SelectSerial();
    rig.program.comm.TryToConnect();
    SetCellWord(rig.program.panels.mainUi.GridCtt, 5, 0, 1234);
    rig.sim.ClearRequests();
    rig.program.transfer.SendParameters();
    const QStringList requests = rig.sim.Requests();
    ASSERT_EQ(requests.size(), 2);
    const QStringList bytes = requests[1].split(' ');
    for (int r = 0; r < TEACH_ROWS; ++r) {
        const int at = HEADER_BYTES + 2 * (VECTOR_WORDS * r + 7);
        EXPECT_EQ(bytes[at + 1] + bytes[at], QString("a5%1").arg(r, 2, 16, QChar('0'))) << r;
    }
    EXPECT_EQ(bytes[HEADER_BYTES + 2 * VECTOR_WORDS * 5], "d2");  // 1234 = 0x04D2
}

TEST(Transfer, EepromSurvivesARestartOfTheSensor) {
    Rig rig;
    rig.SelectSerial();
    Program& p = rig.program;
    Ui::MAINP& m = p.panels.mainUi;
    p.comm.TryToConnect();
    m.SlidePower->setValue(777);
    SetCellWord(m.GridCtt, 10, 3, 2222);
    p.flags.memorySelect = MemorySelect::Eeprom;
    p.transfer.SendParameters();

    rig.sim.Restart();
    m.SlidePower->setValue(1);
    SetCellWord(m.GridCtt, 10, 3, 1);
    p.comm.TryToConnect();  // reads RAM, which the sensor filled from its EEPROM
    p.transfer.GetParameters();
    EXPECT_EQ(m.SlidePower->value(), 777);
    EXPECT_EQ(CellWord(m.GridCtt, 10, 3), 2222);
    EXPECT_EQ(rig.Status(), "SIMULATED COLOUR SENSOR FW 1.00");
}

TEST(ParameterSetToControls, CompletesTheTriggerListBeforeSettingTrigger) {
    Rig rig;
    Program& p = rig.program;
    Ui::MAINP& m = p.panels.mainUi;
    m.EditExteach->setCurrentIndex(EXTEACH_ON);
    p.paramControls.UpdateTriggerList();
    ASSERT_EQ(m.EditTrigger->count(), 2);
    p.parameterSet.scalars.externTeach = EXTEACH_OFF;
    p.parameterSet.scalars.trigger = TRIGGER_PARA;
    p.paramControls.ParameterSetToControls();
    EXPECT_EQ(m.EditTrigger->currentText(), "PARA");
    EXPECT_EQ(m.EditTrigger->count(), 7);
}

TEST(ParameterControls, RoundTripKeepsEveryWordAndTheReservedOnes) {
    Rig rig;
    Program& p = rig.program;
    ParameterSet set = SampleParameters();
    p.parameterSet = set;
    p.paramControls.ParameterSetToControls();
    p.parameterSet = ParameterSet{};
    p.paramControls.ControlsToParameterSet();
    for (TeachVector& row : set.table) row.reserved = 0;  // controls never write it
    EXPECT_EQ(std::memcmp(&set, &p.parameterSet, sizeof set), 0);
}
