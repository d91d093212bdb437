#include "support/sim_process.h"

SimProcess::SimProcess(const QStringList& extraArgs) {
    QStringList args{"--tcp", "127.0.0.1:0", "--serial-link", SerialLink()};
    process_.start(SIM_PATH, args + extraArgs);
    if (!process_.waitForStarted(5000)) return;
    // The simulated sensor announces its TCP port, then its serial link.
    QByteArray out;
    while (!out.contains("serial ") && process_.waitForReadyRead(5000))
        out += process_.readAllStandardOutput();
    for (const QByteArray& line : out.split('\n'))
        if (line.startsWith("tcp ")) tcpPort_ = static_cast<quint16>(line.mid(4).toUInt());
}

SimProcess::~SimProcess() {
    process_.terminate();
    if (!process_.waitForFinished(3000)) process_.kill();
}
