// Transact end to end against the simulated sensor, over TCP and the pseudo-terminal,
// with every fault the sensor side can inject.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "link/link.h"
#include "support/link_texts.h"
#include "support/memory_transport.h"
#include "support/rig.h"

namespace {

struct FaultCase {
    const char* fault;
    bool ok;
    QString logText;  // the report, without its closing empty line; empty for none
};

enum class Via { Tcp, Serial };

struct TransactCase {
    Via via;
    FaultCase fault;
};

void PrintTo(const TransactCase& c, std::ostream* os) {
    *os << (c.via == Via::Tcp ? "tcp " : "serial ") << c.fault.fault;
}

class TransactTest : public testing::TestWithParam<TransactCase> {};

// Opens the transport only (no identification), so the first answer is the one tested.
void OpenTransport(Rig& rig, Via via) {
    SensorLink& link = rig.program.link;
    if (via == Via::Tcp) {
        link.settings.protocol = PROTOCOL_TCP;
        link.settings.ipAddress = "127.0.0.1";
        link.settings.portNumber = QString::number(rig.sim.TcpPort());
        ASSERT_TRUE(link.ConnectTcp());
    } else {
        link.settings.protocol = PROTOCOL_RS232;
        link.settings.comPort = 1;
        ASSERT_TRUE(link.OpenComPort());
    }
}

}  // namespace

TEST_P(TransactTest, ReportsEachOutcome) {
    const TransactCase& c = GetParam();
    Rig rig({"--fault", c.fault.fault, "--fault-delay", "200"});
    ASSERT_TRUE(rig.sim.Started());
    OpenTransport(rig, c.via);
    Program& p = rig.program;
    Ui::MAINP& m = p.panels.mainUi;
    // A state that ShowLinkError must visibly change.
    p.flags.goRunning = true;
    p.flags.linkOk = true;
    m.ButtonAccept->setEnabled(true);
    m.TabMain1->setCurrentIndex(PAGE_PARAMETER);
    p.panels.datap.ui.DispStatus->setText("before");
    p.link.answerTimeout = 1.0;

    const int count = BuildFrame(p.link.buffers, ORDER_GET_FIRMWARE, 0, 0, 0);
    EXPECT_EQ(p.link.Transact(count), c.fault.ok);

    if (c.fault.logText.isEmpty()) {
        EXPECT_EQ(rig.Log(), "");
        EXPECT_EQ(rig.Status(), "before");
        EXPECT_TRUE(p.flags.goRunning);
        return;
    }
    EXPECT_TRUE(rig.Log().endsWith(c.fault.logText + "\n\n")) << rig.Log().toStdString();
    EXPECT_EQ(rig.Status(), "TIMEOUT!");
    EXPECT_FALSE(p.flags.goRunning);
    EXPECT_FALSE(p.flags.linkOk);
    EXPECT_FALSE(m.ButtonAccept->isEnabled());
    EXPECT_FALSE(m.ButtonGenHwInfoFile->isEnabled());
    EXPECT_FALSE(m.ButtonChangeBaudrate->isEnabled());
    EXPECT_EQ(m.TabMain1->currentIndex(), PAGE_COMMUNICATION);
}

const FaultCase kFaults[] = {
    {"none", true, ""},
    {"split", true, ""},
    {"error0", true, ""},
    {"empty", true, ""},
    {"header-crc", false, ExpectedText::BAD_HEADER},
    {"sync", false, ExpectedText::BAD_HEADER},
    {"error1", false, ExpectedText::INVALID_ORDER},
    {"error2", false, ExpectedText::CONTROL_UNIT},
    {"data-crc", false, ExpectedText::BAD_DATA},
    {"silent", false, ExpectedText::TIMEOUT},
};

std::vector<TransactCase> AllCases() {
    std::vector<TransactCase> cases;
    for (Via via : {Via::Tcp, Via::Serial})
        for (const FaultCase& f : kFaults) cases.push_back({via, f});
    // More payload announced than a frame holds: over TCP it never completes, a serial
    // port would hand it out, so there the header is refused.
    cases.push_back({Via::Tcp, {"oversize", false, ExpectedText::TIMEOUT}});
    cases.push_back({Via::Serial, {"oversize", false, ExpectedText::BAD_HEADER}});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Faults, TransactTest, testing::ValuesIn(AllCases()), [](const auto& info) {
    std::string name = info.param.via == Via::Tcp ? "Tcp_" : "Serial_";
    for (const char* c = info.param.fault.fault; *c; ++c) name += *c == '-' ? '_' : *c;
    return name;
});

TEST(Transact, SplitHeaderIsAssembled) {
    Rig rig({"--fault", "split", "--fault-delay", "300"});
    OpenTransport(rig, Via::Tcp);
    SensorLink& link = rig.program.link;
    ASSERT_TRUE(link.Transact(BuildFrame(link.buffers, ORDER_GET_FIRMWARE, 0, 0, 0)));
    EXPECT_EQ(link.answer.order, ORDER_GET_FIRMWARE);
    EXPECT_GT(link.answer.length, 0);
}

TEST(Transact, ServerClosingIsReportedAndLaterTransactionsFail) {
    Rig rig({"--fault", "close"});
    OpenTransport(rig, Via::Tcp);
    SensorLink& link = rig.program.link;
    const int count = BuildFrame(link.buffers, ORDER_GET_FIRMWARE, 0, 0, 0);
    EXPECT_FALSE(link.Transact(count));
    EXPECT_TRUE(rig.Log().contains(ExpectedText::SERVER_CLOSED + "\n\n"));
    EXPECT_FALSE(rig.program.flags.tcpConnected);
    EXPECT_FALSE(link.Transact(count));
    EXPECT_TRUE(rig.Log().endsWith(ExpectedText::TIMEOUT + "\n\n"));
}

TEST(Transact, AnswerCopiesLeaveLaterWordsAlone) {
    Rig rig;
    OpenTransport(rig, Via::Tcp);
    SensorLink& link = rig.program.link;
    std::fill(std::begin(link.buffers.payloadWords), std::end(link.buffers.payloadWords), 0xBEEF);
    ASSERT_TRUE(link.Transact(BuildFrame(link.buffers, ORDER_GET_FIRMWARE, 0, 0, 0)));
    link.CopyToPayloadWords();
    const int words = link.answer.length / 2;
    EXPECT_EQ(link.buffers.payloadWords[0], link.buffers.receive[8] | link.buffers.receive[9] << 8);
    EXPECT_EQ(link.buffers.payloadWords[words], 0xBEEF);
}

TEST(Transact, CompleteAnswerJustBeforeTheServerClosesIsTaken) {
    Rig rig({"--fault", "close-after"});
    OpenTransport(rig, Via::Tcp);
    SensorLink& link = rig.program.link;
    ASSERT_TRUE(link.Request({.order = ORDER_GET_FIRMWARE}));
    EXPECT_EQ(link.answer.order, ORDER_GET_FIRMWARE);
    EXPECT_GT(link.answer.length, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !rig.program.flags.tcpConnected; }, 5000));
    EXPECT_EQ(rig.Log(), ExpectedText::SERVER_CLOSED + "\n\n");
}

namespace {

// A payload of `words` words counting up from `first`.
QByteArray Words(int words, uint16_t first) {
    QByteArray bytes;
    for (int k = 0; k < words; ++k) {
        const uint16_t w = static_cast<uint16_t>(first + k);
        bytes += static_cast<char>(w & 0xFF);
        bytes += static_cast<char>(w >> 8);
    }
    return bytes;
}

struct ReceiveRig {
    ReceiveRig() : transport(rig.program.link.buffers.receive) {
        rig.program.link.Attach(transport);
        rig.program.link.answerTimeout = 0.2;
        stopTimer.setSingleShot(true);
        QObject::connect(&stopTimer, &QTimer::timeout, [this] { stop = true; });
    }
    // Receives until a call does not give a frame, with a stop 100 ms after the start;
    // the first word of every frame.
    QList<int> ReceiveAll() {
        QList<int> firstWords;
        SensorLink& link = rig.program.link;
        stopTimer.start(100);
        while (link.ReceiveFrame([this] { return stop; }) == ReceiveResult::Frame) {
            link.CopyToMeasurement();
            firstWords << link.buffers.measurementWords[0];
        }
        return firstWords;
    }
    Rig rig;
    MemoryTransport transport;
    QTimer stopTimer;
    bool stop = false;
};

}  // namespace

TEST(ReceiveFrame, KeepsEveryFrameThatFollowsAnAnswerOrAFrame) {
    ReceiveRig r;
    QByteArray stream = WireFrame(ORDER_SCOPE_SCAN, 1);  // the acknowledgement
    // Ten scope-sized frames: more than the receive frame holds at once.
    for (int k = 0; k < 10; ++k) stream += WireFrame(ORDER_SCOPE_SCAN, 0, Words(129, 100 * k));
    r.transport.answers << stream;
    SensorLink& link = r.rig.program.link;
    ASSERT_TRUE(link.Request({.order = ORDER_SCOPE_SCAN, .param = 1}));
    EXPECT_EQ(r.ReceiveAll(), (QList<int>{0, 100, 200, 300, 400, 500, 600, 700, 800, 900}));
    EXPECT_EQ(r.rig.Log(), "");
}

TEST(ReceiveFrame, OutcomesAndTheirReports) {
    struct Case {
        const char* name;
        QByteArray stream;
        bool breaks;
        QList<int> frames;
        QString log;
    };
    QByteArray badHeader = WireFrame(ORDER_GET_DATA, 0, Words(20, 7));
    badHeader[7] = static_cast<char>(badHeader[7] ^ 1);
    QByteArray badData = WireFrame(ORDER_GET_DATA, 0, Words(20, 7));
    badData[9] = static_cast<char>(badData[9] ^ 1);
    const Case cases[] = {
        {"stop while waiting", {}, false, {}, ""},
        {"stop in the middle of a header", WireFrame(ORDER_GET_DATA, 0).left(5), false, {}, ""},
        {"header-only frame", WireFrame(ORDER_GET_DATA, 3), false, {0}, ""},
        {"port fails while waiting", {}, true, {},
         ExpectedText::PORT_ERROR + "\n\n"},
        {"bad header", badHeader, false, {}, ExpectedText::BAD_HEADER + "\n\n"},
        {"bad payload", badData, false, {}, ExpectedText::BAD_DATA + "\n\n"},
        {"payload never completes", WireFrame(ORDER_GET_DATA, 0, Words(20, 7)).left(20), false,
         {}, ExpectedText::TIMEOUT + "\n\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReceiveRig r;
        r.rig.program.flags.goRunning = true;
        r.transport.Feed(c.stream);
        if (c.breaks) r.transport.Break();
        EXPECT_EQ(r.ReceiveAll(), c.frames);
        EXPECT_EQ(r.rig.Log(), c.log);
        EXPECT_EQ(r.rig.program.flags.goRunning, c.log.isEmpty());
    }
}

TEST(ReceiveFrame, AFrameAfterABadOneIsStillRead) {
    ReceiveRig r;
    QByteArray bad = WireFrame(ORDER_GET_DATA, 0);
    bad[0] = 0x54;
    r.transport.Feed(bad + WireFrame(ORDER_GET_DATA, 0, Words(20, 42)));
    SensorLink& link = r.rig.program.link;
    const auto never = [] { return false; };
    EXPECT_EQ(link.ReceiveFrame(never), ReceiveResult::BadFrame);
    ASSERT_EQ(link.ReceiveFrame(never), ReceiveResult::Frame);
    link.CopyToMeasurement();
    EXPECT_EQ(link.buffers.measurementWords[19], 42 + 19);
}
