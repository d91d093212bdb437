// How much CPU the program burns while it waits for a sensor that never answers.
// Prints the program's CPU seconds over the 3 s answer time-out next to the wall
// seconds; the target is under 2 % of one core.

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "cpu.h"
#include "support/rig.h"

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    for (const char* via : {"tcp", "serial"}) {
        Rig rig({"--fault", "silent", "--fault-every", "1"});
        SensorLink& link = rig.program.link;
        if (via[0] == 't') {
            link.settings.protocol = PROTOCOL_TCP;
            link.settings.ipAddress = "127.0.0.1";
            link.settings.portNumber = QString::number(rig.sim.TcpPort());
            link.ConnectTcp();
        } else {
            link.OpenComPort();
        }
        const int count = BuildFrame(link.buffers, ORDER_GET_FIRMWARE, 0, 0, 0);
        const auto wallStart = std::chrono::steady_clock::now();
        const double cpuStart = CpuSeconds();
        const bool result = link.Transact(count);
        const double cpu = CpuSeconds() - cpuStart;
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
        std::printf("idle wait %-6s ok %d  wall %.3f s  cpu %.4f s  load %.2f %% of one core\n",
                    via, result, wall, cpu, 100.0 * cpu / wall);
    }
    return 0;
}
