// PanelSettings.cfg: what one run leaves for the next.
#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "support/rig.h"

namespace {

void WriteSettings(const QString& dir, const QByteArray& text) {
    QFile file(dir + "/PanelSettings.cfg");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

const QByteArray HEADER =
    "[GENERAL INFO]\nFILE TYPE: = \"Panel Settings\"\nPANEL ID: = \"Line 3\"\n";

}  // namespace

TEST(PanelSettings, EdgeCasesOfReading) {
    struct Case {
        const char* name;
        QByteArray text;
        std::function<void(Rig&)> check;
    };
    const Case cases[] = {
        {"other file type is ignored entirely",
         "[GENERAL INFO]\nFILE TYPE: = \"Parameter\"\nPANEL ID: = \"x\"\n[COMMUNICATION "
         "SETTINGS]\nCOMPROTOCOL = 1\n",
         [](Rig& r) {
             EXPECT_EQ(r.program.panelSettings.sensorId, "");
             EXPECT_EQ(r.program.panels.mainUi.EditCommunicationProtocol->currentIndex(),
                       PROTOCOL_RS232);
         }},
        {"fullscreen 2 maximises",
         HEADER + "[PANEL POSITION]\nMAINPANEL FULLSCREEN = 2\nMAINPANEL LEFT = 300\n",
         [](Rig& r) { EXPECT_TRUE(r.program.window.windowState() & Qt::WindowMaximized); }},
        {"fullscreen 0 with only LEFT",
         HEADER + "[PANEL POSITION]\nMAINPANEL FULLSCREEN = 0\nMAINPANEL LEFT = 200\n",
         [](Rig& r) {
             EXPECT_EQ(r.program.window.pos(), QPoint(200, 40));
             EXPECT_EQ(r.program.window.size(), QSize(790, 548));
         }},
        {"at most ten history entries, no gaps",
         HEADER + "[IP ADDRESSES]\nLIST ITEMS = 15\nIP ADDR 1 = \"a\"\nIP ADDR 3 = \"c\"\nIP ADDR "
                  "10 = \"j\"\nIP ADDR 11 = \"k\"\n",
         [](Rig& r) {
             EXPECT_EQ(r.program.comm.IpHistory(), (QStringList{"a", "c", "j"}));
         }},
        {"no communication settings", HEADER,
         [](Rig& r) {
             const LinkSettings s = r.program.comm.PageSettings();
             EXPECT_EQ(s.protocol, PROTOCOL_RS232);
             EXPECT_EQ(s.comPort, 1);
             EXPECT_EQ(s.baudIndex, 4);
             EXPECT_EQ(s.portNumber, "10001");
             EXPECT_EQ(r.program.panelSettings.sensorId, "Line 3");
             EXPECT_EQ(r.program.panels.colbigp.ui.DispBigColId->text(), "Line 3");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig({"--fault", "silent", "--fault-every", "1"});
        WriteSettings(rig.sim.Dir(), c.text);
        rig.program.panelSettings.ReadPanelSettings();
        rig.program.SetSensorId(rig.program.panelSettings.sensorId);
        rig.program.panelSettings.ReadCommunicationSettings();
        c.check(rig);
    }
}

TEST(PanelSettings, CloseThenStartRestoresTheWorkingState) {
    QString dir;
    QByteArray written;
    {
        Rig rig({"--firmware", "FW"});
        Program& p = rig.program;
        p.StartUp();
        p.window.move(123, 77);
        p.window.resize(900, 600);
        p.comm.SetIpHistory({"10.1.1.1", "sensor.local"});
        p.comm.ShowLinkSettings({PROTOCOL_TCP, 1, 2, "sensor.local", "10002"});
        p.SetSensorId("Line 7 / station 2");
        p.paths.recordFile = rig.sim.Dir() + "/records/today.dat";
        p.attributes.rowColors[5] = 0x123456;
        p.window.close();
        QFile file(p.panelSettings.Path());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        written = file.readAll();
        // A second program in the same directory.
        Program next(rig.platform, rig.sim.Dir());
        next.panelSettings.ReadPanelSettings();
        next.panelSettings.ReadCommunicationSettings();
        EXPECT_EQ(next.window.pos(), QPoint(123, 77));
        EXPECT_EQ(next.window.size(), QSize(900, 600));
        EXPECT_EQ(next.comm.IpHistory(), (QStringList{"10.1.1.1", "sensor.local"}));
        const LinkSettings s = next.comm.PageSettings();
        EXPECT_EQ(s.protocol, PROTOCOL_TCP);
        EXPECT_EQ(s.baudIndex, 2);
        EXPECT_EQ(s.ipAddress, "sensor.local");
        EXPECT_EQ(s.portNumber, "10002");
        EXPECT_EQ(next.panelSettings.sensorId, "Line 7 / station 2");
        EXPECT_EQ(next.paths.recordFile, rig.sim.Dir() + "/records/today.dat");
        EXPECT_EQ(next.attributes.rowColors[5], 0x123456u);
    }
    EXPECT_TRUE(
        written.startsWith("[GENERAL INFO]\r\nFILE TYPE: = \"Panel Settings\"\r\n"
                           "SCOPE VERSION: = \"CHROMIK3-DLS-Scope V4.2\"\r\n"
                           "PANEL ID: = \"Line 7 / station 2\"\r\n\r\n[PANEL POSITION]\r\n"
                           "MAINPANEL FULLSCREEN = 0\r\n"));
    EXPECT_TRUE(written.contains(
        "[COMMUNICATION SETTINGS]\r\nCOMPROTOCOL = 1\r\nCOMPORT = 1\r\n"
        "BAUDRATE = 2\r\nIP ADRESS = \"sensor.local\"\r\nPORT NUMBER = \"10002\"\r\n"));
    EXPECT_TRUE(
        written.contains("[IP ADDRESSES]\r\nLIST ITEMS = 2\r\nIP ADDR 1 = \"10.1.1.1\"\r\n"));
    EXPECT_TRUE(
        written.endsWith("[TABLE ATTR OF TEACH VECTOR 30]\r\nRow color = 16711680\r\n"
                         "Row specification = \"\"\r\n\r\n"));
}

TEST(PanelSettings, AcceptWritesTheFile) {
    Rig rig;
    Program& p = rig.program;
    p.comm.ShowLinkSettings({PROTOCOL_RS232, 1, 3, "", "10001"});
    p.panels.mainUi.ButtonAccept->setEnabled(true);
    p.panels.mainUi.ButtonAccept->click();
    IniText ini;
    ASSERT_TRUE(ini.ReadFromFile(p.panelSettings.Path()));
    EXPECT_EQ(ini.GetInt("COMMUNICATION SETTINGS", "BAUDRATE"), 3);
    EXPECT_EQ(p.panels.mainUi.TabMain1->currentIndex(), PAGE_PARAMETER);
}

TEST(PanelSettings, IdentificationTypedJustBeforeTheCloseIsSaved) {
    Rig rig;
    Program& p = rig.program;
    // Typed, but the field never lost the focus: no editing-finished event.
    p.panels.mainUi.EditID->setText("Line 9 typed last");
    p.window.close();
    IniText ini;
    ASSERT_TRUE(ini.ReadFromFile(p.panelSettings.Path()));
    EXPECT_EQ(ini.GetString("GENERAL INFO", "PANEL ID:"), "Line 9 typed last");
}

TEST(PanelSettings, ComPortBeyondTheListIsKept) {
    Rig rig;
    Program& p = rig.program;
    WriteSettings(rig.sim.Dir(), HEADER + "[COMMUNICATION SETTINGS]\nCOMPORT = 40\n");
    p.panelSettings.ReadCommunicationSettings();
    EXPECT_EQ(p.comm.PageSettings().comPort, 40);
    EXPECT_TRUE(p.panels.mainUi.EditSelectComPort->currentText().startsWith("COM40 "));
    p.comm.RefreshComPortList();  // entering the communication page again
    EXPECT_EQ(p.comm.PageSettings().comPort, 40);
    ASSERT_TRUE(p.panelSettings.WritePanelSettings());
    IniText ini;
    ASSERT_TRUE(ini.ReadFromFile(p.panelSettings.Path()));
    EXPECT_EQ(ini.GetInt("COMMUNICATION SETTINGS", "COMPORT"), 40);
}

TEST(PanelSettings, RowSpecificationEditorTakesWhatTheFileKeeps) {
    Rig rig;
    QTableWidget* table = rig.program.panels.mainUi.GridSpecification;
    const QModelIndex cell = table->model()->index(4, 0);
    QAbstractItemDelegate* delegate = table->itemDelegateForIndex(cell);
    std::unique_ptr<QWidget> editor(delegate->createEditor(table->viewport(), {}, cell));
    auto* line = qobject_cast<QLineEdit*>(editor.get());
    ASSERT_NE(line, nullptr);
    QTest::keyClicks(line, QString(120, 'x'));
    delegate->setModelData(line, table->model(), cell);
    EXPECT_EQ(table->item(4, 0)->text(), QString(99, 'x'));
}
