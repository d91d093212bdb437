#pragma once
// CPU time and resident memory of this process, and the serial line's bound, for the
// benchmarks' figures.

#include <sys/resource.h>
#include <unistd.h>

#include <QFile>

inline double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

inline double ResidentMiB() {
    QFile statm("/proc/self/statm");
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * sysconf(_SC_PAGESIZE) / (1024.0 * 1024.0) : 0;
}

// Data frames per second that 115200 Bd can carry: 10 bits a byte, 56 bytes a data
// request and its answer.
constexpr double SERIAL_FRAME_BOUND = 115200.0 / 10.0 / 56.0;
