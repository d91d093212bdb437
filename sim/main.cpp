// chromik-sensor-sim: a simulated colour sensor speaking the frame protocol over
// TCP and over a pseudo-terminal.

#include <sys/prctl.h>
#include <unistd.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextStream>
#include <cstdio>
#include <memory>

#include "endpoint.h"
#include "paramstore.h"
#include "sensormodel.h"
#include "serialline.h"
#include "core/termination.h"

namespace {

void Print(const QString& line) {
    std::fputs(qPrintable(line + "\n"), stdout);
    std::fflush(stdout);
}

void Fail(const QString& message) {
    std::fputs(qPrintable("chromik-sensor-sim: " + message + "\n"), stderr);
    std::exit(2);
}

bool ParseHostPort(const QString& text, QString& host, quint16& port) {
    const int colon = text.lastIndexOf(':');
    host = colon >= 0 ? text.left(colon) : "127.0.0.1";
    bool ok = false;
    const uint value = text.mid(colon + 1).toUInt(&ok);
    port = static_cast<quint16>(value);
    return ok && value <= 65535;
}

// A TCP connection as the place an endpoint's answers go; lives as long as the socket.
class TcpPeer : public QObject, public EndpointPeer {
  public:
    explicit TcpPeer(QTcpSocket* socket) : QObject(socket), socket_(socket) {}
    void Write(const QByteArray& bytes) override { socket_->write(bytes); }
    bool CanClose() const override { return true; }
    void Close() override { socket_->disconnectFromHost(); }
    void SwitchBaud(int) override {}  // a TCP connection has no line rate

  private:
    QTcpSocket* socket_;
};

void ServeTcp(QTcpServer& server, SimSensor& sensor, SimConfig config) {
    QObject::connect(&server, &QTcpServer::newConnection, [&server, &sensor, config] {
        while (QTcpSocket* socket = server.nextPendingConnection()) {
            auto* peer = new TcpPeer(socket);
            auto* endpoint = new Endpoint(sensor, config, *peer, socket);
            QObject::connect(socket, &QTcpSocket::readyRead, endpoint,
                             [socket, endpoint] { endpoint->Receive(socket->readAll()); });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("chromik-sensor-sim");
    OnTerminationSignal([] { QCoreApplication::quit(); });
    // Line pacing sleeps for fractions of a millisecond: keep the kernel's slack small.
    prctl(PR_SET_TIMERSLACK, 1000UL);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Simulated colour sensor. Serves the sensor's frame protocol on TCP and/or on a "
        "pseudo-terminal. Without --tcp or --serial-link it listens on TCP 127.0.0.1:10001.");
    parser.addHelpOption();
    parser.addOptions({
        {"tcp", "Listen on TCP [HOST:]PORT (port 0 picks a free one).", "host:port"},
        {"serial-link", "Create a pseudo-terminal reachable through the symlink PATH.", "path"},
        {"firmware", "Firmware identification text.", "text", "SIMULATED COLOUR SENSOR FW 1.00"},
        {"fault", "Fault to inject: " + FaultNames().join(", ") + ".", "kind", "none"},
        {"fault-every", "Apply the fault to every Nth answer (default: the first only).", "n", "0"},
        {"fault-delay", "Delay in ms of the split and delay faults.", "ms", "500"},
        {"frame-fault",
         "Fault to inject into unrequested frames (triggered data frames, scope frames), "
         "one of the --fault kinds.",
         "kind", "none"},
        {"frame-fault-every",
         "Apply the frame fault to every Nth unrequested frame (default: the first only).", "n",
         "0"},
        {"eeprom", "File that keeps the EEPROM contents across restarts.", "file",
         QDir::temp().filePath("chromik-sensor-sim-eeprom.bin")},
        {"log-requests", "Append every request frame received, in hex, to FILE.", "file"},
        {"white", "Show one white surface instead of the coloured ones (for calibration)."},
        {"trigger-period", "Triggered sending every MS milliseconds instead of on IN0.", "ms", "0"},
    });
    parser.process(app);

    FaultKind kind;
    if (!ParseFault(parser.value("fault"), kind)) Fail("unknown fault " + parser.value("fault"));
    FaultPlan faults(kind, parser.value("fault-every").toInt());
    FaultKind frameKind;
    if (!ParseFault(parser.value("frame-fault"), frameKind))
        Fail("unknown fault " + parser.value("frame-fault"));
    FaultPlan frameFaults(frameKind, parser.value("frame-fault-every").toInt());
    SimConfig config{&faults, parser.value("fault-delay").toInt(), parser.value("log-requests"),
                     parser.value("trigger-period").toInt(), &frameFaults};
    ParamStore store(parser.value("eeprom"));
    Calibration calibration;
    calibration.Load(parser.value("eeprom") + ".calibration");
    SensorModel model(store, calibration);
    model.whiteTarget = parser.isSet("white");
    SimSensor sensor(parser.value("firmware"), store, model, calibration);

    QString tcpSpec = parser.value("tcp");
    if (tcpSpec.isEmpty() && !parser.isSet("serial-link")) tcpSpec = "127.0.0.1:10001";

    QTcpServer server;
    if (!tcpSpec.isEmpty()) {
        QString host;
        quint16 port;
        if (!ParseHostPort(tcpSpec, host, port)) Fail("bad --tcp value " + tcpSpec);
        if (!server.listen(QHostAddress(host), port))
            Fail("cannot listen on " + tcpSpec + ": " + server.errorString());
        ServeTcp(server, sensor, config);
        Print(QString("tcp %1").arg(server.serverPort()));
    }
    std::unique_ptr<SerialLine> serial;
    if (parser.isSet("serial-link")) {
        serial = std::make_unique<SerialLine>(sensor, config);
        QString error;
        if (!serial->Open(parser.value("serial-link"), error)) Fail(error);
        Print("serial " + parser.value("serial-link"));
    }
    return app.exec();
}
