// Transact end to end against the simulated sensor, over TCP and the pseudo-terminal,
// with every fault the sensor side can inject.
#include <gtest/gtest.h>

#include "link/link.h"
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
    {"header-crc", false, LinkTexts::BAD_HEADER},
    {"sync", false, LinkTexts::BAD_HEADER},
    {"oversize", false, LinkTexts::BAD_HEADER},
    {"error1", false, LinkTexts::INVALID_ORDER},
    {"error2", false, LinkTexts::CONTROL_UNIT_ERROR},
    {"data-crc", false, LinkTexts::BAD_DATA},
    {"silent", false, LinkTexts::TIMEOUT},
};

std::vector<TransactCase> AllCases() {
    std::vector<TransactCase> cases;
    for (Via via : {Via::Tcp, Via::Serial})
        for (const FaultCase& f : kFaults) cases.push_back({via, f});
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
    EXPECT_TRUE(rig.Log().contains(LinkTexts::SERVER_CLOSED + "\n\n"));
    EXPECT_FALSE(rig.program.flags.tcpConnected);
    EXPECT_FALSE(link.Transact(count));
    EXPECT_TRUE(rig.Log().endsWith(LinkTexts::TIMEOUT + "\n\n"));
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
