// The hardware information file.
#include <gtest/gtest.h>

#include <QFile>

#include "app/hwinfofile.h"
#include "support/link_texts.h"
#include "support/rig.h"

namespace {

void Connect(Rig& rig) {
    rig.SelectSerial();
    rig.program.comm.TryToConnect();
    ASSERT_TRUE(rig.program.flags.linkOk);
    rig.sim.ClearRequests();
    rig.program.panels.mainUi.TextCommunicationLog->clear();
}

}  // namespace

TEST(HardwareInfo, DataStringHasFourDigitsAWord) {
    uint16_t words[HARDWARE_WORDS] = {0x0001, 0xABCD, 0x0000};
    const QString data = HardwareDataString(words);
    EXPECT_EQ(data.size(), 1024);
    EXPECT_TRUE(data.startsWith("0001ABCD0000"));
}

TEST(HardwareInfo, ReadsRamCalibrationAndHardwareThenWritesTheFile) {
    Rig rig({"--firmware", "SIM FW 2"});
    Program& p = rig.program;
    Connect(rig);
    p.flags.memorySelect = MemorySelect::Eeprom;
    const QString path = rig.sim.Dir() + "/hw.ini";
    rig.platform.fileAnswers = {{FileChoice::New, path}};
    p.hardwareInfo.WriteHardwareInfoFile();

    EXPECT_EQ(rig.sim.Requests(),
              (QStringList{"55 02 00 00 00 00 aa b9", "55 02 02 00 00 00 aa 3a",
                           "55 66 00 00 00 00 aa a6", "55 c2 5e 3c 00 00 aa 4b"}));
    EXPECT_EQ(p.flags.memorySelect, MemorySelect::Eeprom);
    EXPECT_EQ(rig.platform.fileRequests[0].title, "HardwareInitialFile");
    EXPECT_EQ(rig.Log(), "HARDWARE INI FILE HAS BEEN SAVED TO:\n" + path + "\n\n");
    EXPECT_EQ(p.panels.mainUi.EditCFR->value(), 975);
    EXPECT_EQ(p.panels.mainUi.EditBlueOffset->value(), 40);

    IniText ini;
    ASSERT_TRUE(ini.ReadFromFile(path));
    EXPECT_EQ(ini.GetString("GENERAL INFO", "FILE TYPE:"), "Hardware Initial File");
    EXPECT_EQ(ini.GetString("GENERAL INFO", "FIRMWARE VERSION:"), "SIM FW 2");
    const QString data = ini.GetString("HARDWARE INFO", "DATA", 2000).value_or("");
    EXPECT_EQ(data.size(), 1024);
    EXPECT_TRUE(data.startsWith("0001ABCD20261211"));
    EXPECT_EQ(ini.GetInt("CALIBRATION FACTOR", "BLUE"), 1138);
    EXPECT_EQ(ini.GetInt("OFFSET", "RED"), 40);
    EXPECT_EQ(ini.GetInt("PARAMETER", "MAX VEC NO"), 4);
    EXPECT_EQ(ini.GetInt("TEACH VECTOR 30", "HOLD"), 10);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.contains("DATA Line0013 = \""));
    EXPECT_FALSE(bytes.contains("DATA Line0014"));
}

TEST(HardwareInfo, CancelledDialogIsLoggedAfterTheReads) {
    Rig rig;
    Connect(rig);
    rig.program.panels.mainUi.EditCFR->setValue(1);
    rig.program.hardwareInfo.WriteHardwareInfoFile();
    EXPECT_EQ(rig.Log(), "ATTENTION!   NO FILE WAS SELECTED!\n\n");
    EXPECT_EQ(rig.program.panels.mainUi.EditCFR->value(), 975);
}

TEST(HardwareInfo, SilentSensorStopsBeforeCalibrationAndHardware) {
    Rig rig({"--fault", "silent", "--fault-every", "4"});
    Connect(rig);  // answers 1 to 3
    rig.program.hardwareInfo.WriteHardwareInfoFile();
    EXPECT_EQ(rig.sim.Requests(), QStringList{"55 02 00 00 00 00 aa b9"});
    EXPECT_TRUE(rig.platform.fileRequests.isEmpty());
    EXPECT_TRUE(rig.Log().endsWith(ExpectedText::TIMEOUT + "\n\n"));
}
