#include "support/sim_process.h"

#include <QDir>
#include <QFile>

SimProcess::SimProcess(const QStringList& extraArgs, const QString& parentDir)
    : dir_(parentDir.isEmpty() ? QDir::tempPath() + "/sim-XXXXXX" : parentDir + "/sim-XXXXXX") {
    args_ =
        QStringList{"--tcp",    "127.0.0.1:0", "--serial-link",  SerialLink(),
                    "--eeprom", EepromFile(),  "--log-requests", dir_.filePath("requests.log")} +
        extraArgs;
    Start();
}

void SimProcess::Start() {
    tcpPort_ = 0;
    serialReady_ = false;
    process_.start(SIM_PATH, args_);
    if (!process_.waitForStarted(5000)) return;
    // The simulated sensor announces its TCP port, then its serial link.
    QByteArray out;
    while (!out.contains("serial ") && process_.waitForReadyRead(5000))
        out += process_.readAllStandardOutput();
    for (const QByteArray& line : out.split('\n')) {
        if (line.startsWith("tcp ")) tcpPort_ = static_cast<quint16>(line.mid(4).toUInt());
        if (line.startsWith("serial ")) serialReady_ = true;
    }
}

void SimProcess::Restart() {
    process_.terminate();
    process_.waitForFinished(3000);
    Start();
}

QStringList SimProcess::Requests() const {
    QFile log(dir_.filePath("requests.log"));
    if (!log.open(QIODevice::ReadOnly)) return {};
    return QString::fromLatin1(log.readAll()).split('\n', Qt::SkipEmptyParts);
}

void SimProcess::ClearRequests() const { QFile::remove(dir_.filePath("requests.log")); }

SimProcess::~SimProcess() {
    process_.terminate();
    if (!process_.waitForFinished(3000)) process_.kill();
}
