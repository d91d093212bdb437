// chromik-ctl as a process, without a display, against simulated sensors over TCP, a
// serial device path and a COM number.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <csignal>
#include <cstring>

#include "files/paramtext.h"
#include "link/sensorops.h"
#include "support/link_texts.h"
#include "support/rig.h"
#include "support/sim_process.h"

namespace {

enum class Via { Tcp, Device, Com };

const char* Name(Via via) {
    return via == Via::Tcp ? "tcp" : via == Via::Device ? "device" : "com";
}

// COM<n> beside chromik-ctl, pointing at the simulated sensor's pseudo-terminal, for as
// long as the test runs: the program's own COM rule finds it.
class ComAlias {
  public:
    explicit ComAlias(const SimProcess& sim) {
        const QDir dir = QFileInfo(CTL_PATH).dir();
        for (number_ = 900; number_ < 1000; ++number_) {
            path_ = dir.filePath(QString("COM%1").arg(number_));
            if (!QFileInfo(path_).isSymLink() && QFile::link(sim.SerialLink(), path_)) return;
        }
        path_.clear();
    }
    ~ComAlias() {
        if (!path_.isEmpty()) QFile::remove(path_);
    }
    int Number() const { return number_; }

  private:
    int number_ = 0;
    QString path_;
};

struct CtlRun {
    int status = -1;
    QString out;
    QString err;
};

QProcess* StartCtl(QProcess& p, const QStringList& args) {
    // No display of any kind: the companion must not need one.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    p.setProcessEnvironment(env);
    p.start(CTL_PATH, args);
    return &p;
}

CtlRun RunCtl(const QStringList& args) {
    QProcess p;
    StartCtl(p, args);
    if (!p.waitForFinished(60000)) p.kill();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLatin1(p.readAllStandardOutput()),
            QString::fromLatin1(p.readAllStandardError())};
}

// Link options that reach the simulated sensor the chosen way.
QStringList LinkArgs(const SimProcess& sim, Via via, const ComAlias* alias = nullptr) {
    switch (via) {
        case Via::Tcp:
            return {"--tcp", QString("127.0.0.1:%1").arg(sim.TcpPort())};
        case Via::Device:
            return {"--device", sim.SerialLink()};
        case Via::Com:
            break;
    }
    return {"--com", QString::number(alias ? alias->Number() : 0)};
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString OneLine(QString text) { return text.replace('\n', ' ').trimmed(); }

class QuietReporter : public LinkReporter {
  public:
    void ShowStatus(const QString&) override {}
    void AppendLog(const QString& text) override { log += text; }
    void DimLinkButtons() override {}
    void ShowCommunicationPage() override {}
    QString log;
};

// Set 0 of the sensor's RAM, reserved words included, read over a link of the test's own.
ParameterSet SensorSet(const SimProcess& sim) {
    ProgramFlags flags;
    QuietReporter reporter;
    SensorLink link(flags, reporter, sim.Dir());
    link.settings.ipAddress = "127.0.0.1";
    link.settings.portNumber = QString::number(sim.TcpPort());
    ParameterSet set{};
    EXPECT_TRUE(link.ConnectTcp() && ReadParameterBlocks(link, set, 0, MemorySelect::Ram).ok)
        << reporter.log.toStdString();
    link.CloseTcp();
    return set;
}

const QString COLUMNS =
    "DATE\tTIME\tRED\tGREEN\tBLUE\tX s\tY i\tINT M\tdelta C\tCOLOR\tGROUP\tTRIGGER\tTEMP";
const QRegularExpression DATA_LINE(R"(^\d\d-\d\d-\d{4}\t\d\d:\d\d:\d\d(\t-?\d+){11}$)");

// The data lines after a record file's header, each checked for its CR LF.
QStringList DataLines(const QByteArray& file, const QByteArray& header) {
    if (!file.startsWith(header) || !file.endsWith("\r\n")) return {"bad file: " + file};
    QStringList lines = QString::fromLatin1(file.mid(header.size())).split("\r\n");
    lines.removeLast();
    return lines;
}

class Ctl : public testing::TestWithParam<Via> {};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Transports, Ctl, testing::Values(Via::Tcp, Via::Device, Via::Com),
                         [](const auto& info) { return Name(info.param); });

TEST_P(Ctl, IdentifyPrintsTheFirmwareText) {
    SimProcess sim({"--firmware", "LINE 7 SENSOR FW 3.1"});
    ASSERT_TRUE(sim.Started());
    const ComAlias alias(sim);
    const CtlRun run = RunCtl(QStringList{"identify"} + LinkArgs(sim, GetParam(), &alias));
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "LINE 7 SENSOR FW 3.1\n");
    EXPECT_EQ(run.err, "");
}

TEST_P(Ctl, SilentSensorGivesTheTimeOutTextOnOneLine) {
    SimProcess sim({"--fault", "silent"});
    ASSERT_TRUE(sim.Started());
    const ComAlias alias(sim);
    const CtlRun run = RunCtl(QStringList{"identify"} + LinkArgs(sim, GetParam(), &alias));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, QString(ExpectedText::TIMEOUT).replace('\n', ' ') + "\n");
}

TEST_P(Ctl, GetThenSendOfTheSameFileLeavesTheSetUnchanged) {
    SimProcess sim;
    ASSERT_TRUE(sim.Started());
    const ComAlias alias(sim);
    const QStringList link = LinkArgs(sim, GetParam(), &alias);
    const ParameterSet before = SensorSet(sim);
    ASSERT_NE(before.table[0].reserved, 0) << "the fixture needs reserved words to keep";
    sim.ClearRequests();
    const QString path = sim.Dir() + "/line.ini";

    CtlRun run = RunCtl(QStringList{"get", "-o", path} + link);
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(sim.Requests(), (QStringList{"55 02 00 00 00 00 aa b9", "55 02 02 00 00 00 aa 3a"}));
    sim.ClearRequests();
    run = RunCtl(QStringList{"send", "--to", "eeprom", path} + link);
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "PLAUSIBILITY COUNTS: PARAMETER 0, TEACH VECTORS 0\n");
    EXPECT_EQ(run.err, "");

    const QStringList requests = sim.Requests();
    ASSERT_EQ(requests.size(), 5);
    EXPECT_TRUE(requests[2].startsWith("55 01 00 00 24 00"));  // 36 bytes of scalars
    EXPECT_TRUE(requests[3].startsWith("55 01 02 00 f0 01"));  // 496 bytes of the table
    EXPECT_EQ(requests[4], "55 03 00 00 00 00 aa 8e");
    const ParameterSet after = SensorSet(sim);
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
}

TEST_P(Ctl, RecordCountWritesTheRecordFile) {
    SimProcess sim;
    ASSERT_TRUE(sim.Started());
    const ComAlias alias(sim);
    const QString path = sim.Dir() + "/run.dat";
    {
        QFile old(path);  // an existing file is replaced, as on the recording page
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old contents\r\n");
    }
    QElapsedTimer clock;
    clock.start();
    const CtlRun run = RunCtl(QStringList{"record", "--count", "3", "--interval", "0.25",
                                          "--panel-id", "Line 4", "-o", path} +
                              LinkArgs(sim, GetParam(), &alias));
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_GE(clock.elapsed(), 500) << "two intervals lie between three records";
    const QStringList lines = DataLines(ReadAll(path),
                                        "\nRECORD RESULTS OF: CHROMIK3-DLS-Scope V4.2\r\n"
                                        "PANEL ID: Line 4\r\n\r\n" +
                                            COLUMNS.toLatin1() + "\r\n");
    ASSERT_EQ(lines.size(), 3) << lines.join('|').toStdString();
    for (const QString& line : lines)
        EXPECT_TRUE(DATA_LINE.match(line).hasMatch()) << line.toStdString();
    EXPECT_EQ(sim.Requests(), QStringList(3, "55 08 00 00 00 00 aa 76"));
}

TEST_P(Ctl, TriggeredRecordEndsCleanlyOnCtrlC) {
    SimProcess sim({"--trigger-period", "100"});
    ASSERT_TRUE(sim.Started());
    const ComAlias alias(sim);
    const QString path = sim.Dir() + "/triggered.dat";
    QProcess p;
    StartCtl(p,
             QStringList{"record", "--triggered", "-o", path} + LinkArgs(sim, GetParam(), &alias));
    ASSERT_TRUE(p.waitForStarted(5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ReadAll(path).count('\n') >= 6; }, 20000));
    ::kill(static_cast<pid_t>(p.processId()), SIGINT);
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();

    const QStringList lines =
        DataLines(ReadAll(path), "\nRECORD RESULTS OF: CHROMIK3-DLS-Scope V4.2\r\n\r\n" +
                                     COLUMNS.toLatin1() + "\r\n");
    ASSERT_GE(lines.size(), 2);
    for (const QString& line : lines)
        EXPECT_TRUE(DATA_LINE.match(line).hasMatch()) << line.toStdString();
    const QStringList requests = sim.Requests();
    ASSERT_EQ(requests.size(), 2);
    EXPECT_TRUE(requests[0].startsWith("55 1e 01 00 00 00"));
    EXPECT_TRUE(requests[1].startsWith("55 1e 00 00 00 00")) << "triggered sending switched off";
}

TEST(CtlFiles, WritesTheSameFilesAsTheProgram) {
    Rig rig({"--firmware", "SIM FW 9"});
    rig.SelectTcp();
    rig.program.comm.TryToConnect();
    ASSERT_TRUE(rig.program.flags.linkOk);
    const QString dir = rig.sim.Dir();
    rig.platform.fileAnswers = {{FileChoice::New, dir + "/program-hw.ini"},
                                {FileChoice::New, dir + "/program.ini"}};
    rig.program.hardwareInfo.WriteHardwareInfoFile();
    rig.program.flags.memorySelect = MemorySelect::File;
    rig.program.transfer.SendParameters();

    const QStringList link = LinkArgs(rig.sim, Via::Tcp);
    EXPECT_EQ(RunCtl(QStringList{"hwinfo", "-o", dir + "/ctl-hw.ini"} + link).status, 0);
    EXPECT_EQ(RunCtl(QStringList{"get", "-o", dir + "/ctl.ini"} + link).status, 0);
    EXPECT_EQ(ReadAll(dir + "/ctl-hw.ini"), ReadAll(dir + "/program-hw.ini"));
    EXPECT_EQ(ReadAll(dir + "/ctl.ini"), ReadAll(dir + "/program.ini"));
    EXPECT_FALSE(ReadAll(dir + "/ctl.ini").isEmpty());

    // And the program's GET from FILE takes the file without a report.
    rig.platform.shown.clear();
    rig.program.parameterSet = ParameterSet{};
    rig.platform.fileAnswers = {{FileChoice::Existing, dir + "/ctl.ini"}};
    rig.program.transfer.GetParameters();
    EXPECT_TRUE(rig.platform.shown.isEmpty());
    EXPECT_EQ(BuildParameterFile(rig.program.parameterSet).ToBytes(), ReadAll(dir + "/ctl.ini"));
}

TEST(CtlFiles, SendChecksTheFileBeforeTheSensor) {
    SimProcess sim;
    ASSERT_TRUE(sim.Started());
    const QByteArray good = BuildParameterFile(SensorSet(sim)).ToBytes();
    sim.ClearRequests();
    QByteArray otherType = good;
    otherType.replace("Parameter File", "Table Attributes");
    QByteArray otherVersion = good;
    otherVersion.replace("V4.2", "V4.1");
    QByteArray gaps = good;
    gaps.replace("GAIN = ", "GAIN: ");
    gaps.replace("[TEACH VECTOR 4]\r\nCELL 0", "[TEACH VECTOR 4]\r\nCELL 9");
    const struct {
        const char* name;
        QByteArray content;  // empty: no such file
        QStringList extraArgs;
        int status;
        QString err;
        bool sent;
    } cases[] = {
        {"no such file", "", {}, 2, "Parameter file could not be read: %1\n", false},
        {"other type",
         otherType,
         {},
         2,
         "Selected file is not a parameter file!\nNo parameter where read!\n",
         false},
        {"other version",
         otherVersion,
         {},
         2,
         "Selected file and scope version do not match!\nNo parameter where read!\n",
         false},
        {"other version forced",
         otherVersion,
         {"--force"},
         0,
         "Selected file and scope version do not match!\n",
         true},
        {"items missing",
         gaps,
         {},
         0,
         OneLine("Following parameter could not be read \nand where set to default value:\n\n"
                 "GAIN\n") +
             "\n" +
             OneLine("Following teach vectors could not be read \nand where set to default "
                     "value:\n\nTEACH VECTOR 4\n") +
             "\n",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = sim.Dir() + "/case.ini";
        QFile::remove(path);
        if (!c.content.isEmpty()) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.content);
        }
        const CtlRun run =
            RunCtl(QStringList{"send", path} + c.extraArgs + LinkArgs(sim, Via::Tcp));
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.err, c.err.contains("%1") ? c.err.arg(path) : c.err);
        EXPECT_EQ(!sim.Requests().isEmpty(), c.sent);
        sim.ClearRequests();
    }
}

TEST(CtlFiles, ImplausibleParametersFailTheSend) {
    SimProcess sim({"--fault", "count", "--fault-every", "1"});
    ASSERT_TRUE(sim.Started());
    const QString path = sim.Dir() + "/p.ini";
    ASSERT_EQ(RunCtl(QStringList{"get", "-o", path} + LinkArgs(sim, Via::Tcp)).status, 0);
    const CtlRun run = RunCtl(QStringList{"send", path} + LinkArgs(sim, Via::Tcp));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "PLAUSIBILITY COUNTS: PARAMETER 3, TEACH VECTORS 3\n");
    const QString report =
        "INFO! 3 PARAMETER IN RAM DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO DEFAULT VALUE!\n";
    EXPECT_EQ(run.err, report + report);
}

TEST(CtlFiles, AFailedEepromSaveFailsTheSend) {
    SimProcess source;
    // The store order is the fifth request of the send: read RAM (2), send blocks (2), store.
    SimProcess sensor({"--fault", "silent", "--fault-every", "5"});
    ASSERT_TRUE(source.Started() && sensor.Started());
    const QString path = source.Dir() + "/p.ini";
    ASSERT_EQ(RunCtl(QStringList{"get", "-o", path} + LinkArgs(source, Via::Tcp)).status, 0);
    const CtlRun run =
        RunCtl(QStringList{"send", "--to", "eeprom", path} + LinkArgs(sensor, Via::Tcp));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, OneLine(LinkTexts::TIMEOUT) + "\n");
    EXPECT_TRUE(sensor.Requests().last().startsWith("55 03")) << "the store order was sent";
}

TEST(CtlWatch, PrintsOneTabSeparatedLinePerFrame) {
    SimProcess sim;
    ASSERT_TRUE(sim.Started());
    const CtlRun run = RunCtl(QStringList{"watch", "--count", "3"} + LinkArgs(sim, Via::Tcp));
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    QStringList lines = run.out.split('\n');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines.takeFirst(), COLUMNS);
    EXPECT_EQ(lines.takeLast(), "");
    for (const QString& line : lines)
        EXPECT_TRUE(DATA_LINE.match(line).hasMatch()) << line.toStdString();
}

TEST(CtlUsage, BadCommandLinesExitWithTwoAndHelpWithZero) {
    const struct {
        QStringList args;
        int status;
        QString start;  // of standard output (0) or standard error (2)
    } cases[] = {
        {{}, 2, "chromik-ctl: no command given\n"},
        {{"flash"}, 2, "chromik-ctl: unknown command 'flash'\n"},
        {{"get", "--tcp", "127.0.0.1"}, 2, "chromik-ctl: get needs -o FILE\n"},
        {{"send"}, 2, "chromik-ctl: send needs the parameter FILE\n"},
        {{"identify", "--baud", "4800"}, 2, "chromik-ctl: bad value '4800' for --baud\n"},
        {{"identify", "--tcp", "host:70000"}, 2, "chromik-ctl: bad value 'host:70000' for --tcp\n"},
        {{"identify", "--com", "2", "--tcp", "h"},
         2,
         "chromik-ctl: give only one of --com, --device, --tcp\n"},
        {{"identify", "--set", "1"}, 2, "chromik-ctl: unknown option '--set' for identify\n"},
        {{"record", "--triggered", "--count", "3", "-o", "f"},
         2,
         "chromik-ctl: record takes --triggered or --count/--interval, not both\n"},
        {{"--help"}, 0, "Usage: chromik-ctl COMMAND"},
        {{"record", "--help"}, 0, "Usage: chromik-ctl record"},
        {{"send", "-h"}, 0, "Usage: chromik-ctl send"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CtlRun run = RunCtl(c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_TRUE((c.status == 0 ? run.out : run.err).startsWith(c.start))
            << (run.out + run.err).toStdString();
    }
}
