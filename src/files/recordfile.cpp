#include "files/recordfile.h"

#include <QFile>
#include <cmath>

QByteArray RecordHeader(const QString& sensorId) {
    QByteArray header = "\nRECORD RESULTS OF: CHROMIK3-DLS-Scope V4.2\r\n";
    if (!sensorId.isEmpty()) header += "PANEL ID: " + sensorId.toLatin1() + "\r\n";
    return header + "\r\n" + RecordColumns() + "\r\n";
}

QByteArray RecordColumns() {
    return "DATE\tTIME\tRED\tGREEN\tBLUE\tX s\tY i\tINT M\tdelta C\tCOLOR\tGROUP\tTRIGGER\tTEMP";
}

QByteArray RecordLine(const MeasurementFrame& f, const QDateTime& now) {
    QByteArray line = now.toString("MM-dd-yyyy").toLatin1() + '\t' +
                      now.toString("HH:mm:ss").toLatin1();
    const long long values[] = {f.red,         f.green,       f.blue,    f.x,
                                f.y,           f.intensity,   f.deltaC,  f.colorNumber,
                                f.groupNumber, f.trigger,     f.temperature};
    for (long long v : values) line += '\t' + QByteArray::number(v);
    return line + "\r\n";
}

namespace {

bool WriteTo(const QString& path, const QByteArray& bytes, QIODevice::OpenMode mode) {
    if (path.isEmpty()) return false;
    QFile file(path);
    if (!file.open(mode)) return false;
    // A full disk must not pass for a written line.
    return file.write(bytes) == bytes.size() && file.flush();
}

}  // namespace

bool AppendToFile(const QString& path, const QByteArray& bytes) {
    return WriteTo(path, bytes, QIODevice::Append);
}

bool WriteNewFile(const QString& path, const QByteArray& bytes) {
    return WriteTo(path, bytes, QIODevice::WriteOnly | QIODevice::Truncate);
}

RecordTime RecordTimeOf(double interval, int values) {
    double total = interval * values;
    RecordTime t{};
    t.days = static_cast<long long>(total / 86400);
    total -= t.days * 86400.0;
    t.hours = static_cast<long long>(total / 3600);
    total -= t.hours * 3600.0;
    t.minutes = static_cast<long long>(total / 60);
    t.seconds = total - t.minutes * 60.0;
    return t;
}
