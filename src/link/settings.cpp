#include "link/settings.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

int BaudRate(int baudIndex) {
    static const int rates[] = {9600, 19200, 38400, 57600, 115200};
    return baudIndex >= 0 && baudIndex < 5 ? rates[baudIndex] : 115200;
}

QString ComPortDevice(int comPort, const QString& programDir) {
    const QString alias = QDir(programDir).filePath(QString("COM%1").arg(comPort));
    const QFileInfo info(alias);
    // A dangling alias is still the operator's choice: opening it reports the fault.
    if (info.exists() || info.isSymLink()) return alias;
    return QString("/dev/ttyS%1").arg(comPort - 1);
}

int PortNumberValue(const QString& text) {
    int value = 0;
    for (QChar c : text.trimmed()) {
        if (!c.isDigit()) break;
        value = std::min(value * 10 + c.digitValue(), 1 << 20);  // no overflow on long input
    }
    return value;
}
