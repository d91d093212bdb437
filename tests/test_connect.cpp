// Connecting, identifying the sensor, changing its baud rate, and the link settings.
#include <gtest/gtest.h>

#include <QFile>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "link/iphistory.h"
#include "link/settings.h"
#include "support/link_texts.h"
#include "support/memory_transport.h"
#include "support/rig.h"

namespace {

void ExpectConnected(Rig& rig, const QString& firmware) {
    Ui::MAINP& m = rig.program.panels.mainUi;
    EXPECT_TRUE(rig.program.flags.linkOk);
    EXPECT_EQ(rig.Status(), firmware);
    EXPECT_EQ(rig.program.link.firmwareId, firmware);
    EXPECT_TRUE(rig.Log().endsWith("TRY TO CONNECT!\n" + firmware + "\n\n"))
        << rig.Log().toStdString();
    EXPECT_TRUE(m.ButtonAccept->isEnabled());
    EXPECT_TRUE(m.ButtonGenHwInfoFile->isEnabled());
    EXPECT_TRUE(m.ButtonChangeBaudrate->isEnabled());
}

}  // namespace

TEST(Connect, OverTcpAndSerialShowsTheFirmware) {
    for (bool tcp : {true, false}) {
        Rig rig({"--firmware", "SIM FW 9"});
        tcp ? rig.SelectTcp() : rig.SelectSerial();
        rig.program.comm.TryToConnect();
        ExpectConnected(rig, "SIM FW 9");
        const Ui::DATAP& d = rig.program.panels.datap.ui;
        EXPECT_EQ(d.DispComPort->isVisibleTo(&rig.program.panels.datap.widget), !tcp);
        EXPECT_EQ(d.DispIpAdress->isVisibleTo(&rig.program.panels.datap.widget), tcp);
        EXPECT_EQ(rig.program.flags.tcpConnected, tcp);
    }
}

TEST(Connect, FirmwareTextIsCutAt71Characters) {
    const QString longText(90, 'F');
    Rig rig({"--firmware", longText});
    rig.SelectTcp();
    rig.program.comm.TryToConnect();
    EXPECT_EQ(rig.program.link.firmwareId, longText.left(71));
}

TEST(Connect, FailuresAreReportedWithTheirTexts) {
    struct Case {
        const char* name;
        std::function<void(Rig&)> select;
        QString text;
    };
    const Case cases[] = {
        {"refused port",
         [](Rig& r) {
             r.SelectTcp();
             r.program.panels.mainUi.StringPortNumber->setText("1");
         },
         "FailedToConnect"},
        {"missing serial device",
         [](Rig& r) {
             QFile::link("/nonexistent/tty", r.sim.Dir() + "/COM2");
             r.program.comm.RefreshComPortList();
             r.program.panels.mainUi.EditSelectComPort->setCurrentIndex(1);
         },
         "No serial port found"},
        {"silent sensor", [](Rig& r) { r.SelectTcp(); }, ExpectedText::TIMEOUT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig({"--fault", "silent", "--fault-every", "1"});
        c.select(rig);
        rig.program.comm.TryToConnect();
        EXPECT_FALSE(rig.program.flags.linkOk);
        EXPECT_EQ(rig.Log(), "TRY TO CONNECT!\n" + c.text + "\n\n");
        EXPECT_EQ(rig.Status(), "TIMEOUT!");
        EXPECT_FALSE(rig.program.panels.mainUi.ButtonAccept->isEnabled());
    }
}

TEST(Connect, BaudrateChangeReconnectsAtTheNewRate) {
    Rig rig({"--firmware", "FW"});
    rig.SelectSerial();
    Program& p = rig.program;
    p.comm.TryToConnect();
    ASSERT_TRUE(p.flags.linkOk);
    p.panels.mainUi.TextCommunicationLog->clear();
    p.panels.mainUi.EditSelectBaudrate->setCurrentIndex(2);
    p.comm.ChangeBaudrate();
    EXPECT_EQ(rig.Log(),
              "TRY TO CHANGE BAUDRATE!\nSUCCESS!\nTRY TO CONNECT!\nFW\n\n"
              "ATTENTION!!!   CONFIRM NEW BAUDRATE WITH EEPROM AND SEND!\n\n");
    EXPECT_EQ(p.link.settings.baudIndex, 2);
    EXPECT_TRUE(p.flags.linkOk);

    // The sensor now ignores the old rate.
    p.panels.mainUi.EditSelectBaudrate->setCurrentIndex(4);
    p.comm.TryToConnect();
    EXPECT_FALSE(p.flags.linkOk);
    EXPECT_TRUE(rig.Log().endsWith(ExpectedText::TIMEOUT + "\n\n"));
}

TEST(LinkSettings, BaudRatesAndPortNumbers) {
    const std::pair<int, int> rates[] = {{0, 9600},   {1, 19200},  {2, 38400},  {3, 57600},
                                         {4, 115200}, {7, 115200}, {-1, 115200}};
    for (auto [index, rate] : rates) EXPECT_EQ(BaudRate(index), rate) << index;
    const std::pair<const char*, int> ports[] = {
        {"10001", 10001}, {"80abc", 80}, {"abc", 0}, {"", 0}, {" 502", 502}};
    for (auto [text, value] : ports) EXPECT_EQ(PortNumberValue(text), value) << text;
}

TEST(LinkSettings, ComPortMapping) {
    QTemporaryDir dir;
    QFile::link("/dev/null", dir.filePath("COM3"));
    EXPECT_EQ(ComPortDevice(1, dir.path()), "/dev/ttyS0");
    EXPECT_EQ(ComPortDevice(3, dir.path()), dir.filePath("COM3"));
    EXPECT_EQ(ComPortDevice(12, dir.path()), "/dev/ttyS11");
}

TEST(IpHistory, MostRecentFirstNoDuplicatesAtMostTen) {
    QStringList history{"a", "b", "c", "d"};
    AddToIpHistory(history, "c");
    EXPECT_EQ(history, (QStringList{"c", "a", "b", "d"}));
    history.clear();
    for (int i = 1; i <= 11; ++i) AddToIpHistory(history, QString::number(i));
    EXPECT_EQ(history.size(), 10);
    EXPECT_EQ(history.first(), "11");
    EXPECT_FALSE(history.contains("1"));
}

TEST(IpHistory, CommitOnThePageUpdatesTheList) {
    Rig rig;
    QComboBox* box = rig.program.panels.mainUi.StringIpAdress;
    for (const char* address : {"10.0.0.1", "10.0.0.2", "10.0.0.1"}) {
        box->setCurrentText(address);
        emit box->lineEdit()->editingFinished();
    }
    EXPECT_EQ(rig.program.comm.IpHistory(), (QStringList{"10.0.0.1", "10.0.0.2"}));
}

TEST(Connect, WaitCursorWhileConnecting) {
    Rig rig;
    rig.SelectTcp();
    bool busy = false;
    // The first timer fires at the event processing before the connect, the second one
    // inside the connect's wait.
    QTimer::singleShot(0, &rig.program, [&] {
        QTimer::singleShot(0, &rig.program, [&] {
            busy = QApplication::overrideCursor() &&
                   QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        });
    });
    rig.program.comm.TryToConnect();
    EXPECT_TRUE(busy);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(Connect, SerialConnectClosesAnEarlierTcpConnection) {
    Rig rig({"--firmware", "FW"});
    Program& p = rig.program;
    rig.SelectTcp();
    p.comm.TryToConnect();
    ASSERT_TRUE(p.flags.tcpConnected);
    rig.SelectSerial();
    p.comm.TryToConnect();
    EXPECT_FALSE(p.flags.tcpConnected);
    ExpectConnected(rig, "FW");
    EXPECT_TRUE(p.link.Request({.order = ORDER_GET_FIRMWARE}));
}

TEST(Connect, CloseOfAConnectionNotInUseDoesNotStopTheSession) {
    Rig rig;
    Program& p = rig.program;
    rig.SelectTcp();
    p.link.settings = p.comm.PageSettings();
    ASSERT_TRUE(p.link.ConnectTcp());
    // Another transport takes over while the TCP connection is still open.
    MemoryTransport other(p.link.buffers.receive);
    p.link.Attach(other);
    p.flags.linkOk = true;
    rig.sim.Restart();  // the sensor closes its end
    EXPECT_TRUE(QTest::qWaitFor([&] { return !p.flags.tcpConnected; }, 5000));
    EXPECT_TRUE(p.flags.linkOk);
    EXPECT_EQ(rig.Log(), "");
}

TEST(LinkTexts, OpenAndConnectCodesHaveTheirTexts) {
    const std::pair<int, const char*> comCodes[] = {
        {-1, "Unknown system error"}, {-2, "Invalid port number"}, {-3, "Port is not open"},
        {-4, "Unknown I/0 error"},    {-6, "No serial port found"}, {-7, "Cannot open port"},
        {-14, "Invalid Baudrate"},    {-99, "Timeout"},             {-5, "RS-232 error!"}};
    for (auto [code, text] : comCodes) EXPECT_EQ(ComOpenErrorText(code), text) << code;
    const std::pair<int, const char*> tcpCodes[] = {
        {-1, "UnableToRegisterService"},     {-2, "UnableToEstablishConnection"},
        {-3, "ExistingServer"},              {-4, "FailedToConnect"},
        {-5, "ServerNotRegistered"},         {-6, "TooManyConversations"},
        {-7, "ReadFailed"},                  {-8, "WriteFailed"},
        {-9, "InvalidParameter"},            {-10, "OutOfMemory"},
        {-11, "TimeOutError"},               {-12, "NoConnectionEstablished"},
        {-13, "GeneralIOErr"},               {-14, "ConnectionClosed"},
        {-15, "UnableToLoadWinsockDLL"},     {-16, "IncorrectWinsockDLLVersion"},
        {-17, "NetworkSubsystemNotReady"},   {-18, "ConnectionsStillOpen"},
        {-19, "DisconnectPending"},          {-20, "InfoNotAvailable"},
        {-21, "Connection to server failed"}};
    for (auto [code, text] : tcpCodes) EXPECT_EQ(TcpConnectErrorText(code), text) << code;
}
