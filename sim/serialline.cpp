#include "serialline.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>

#include "link/settings.h"

namespace {

speed_t SpeedOf(int baudIndex) {
    switch (BaudRate(baudIndex)) {
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        default:
            return B115200;
    }
}

// 8N1: ten bits on the line per byte.
double BytesPerSecond(int baudIndex) { return BaudRate(baudIndex) / 10.0; }

}  // namespace

SerialLine::SerialLine(SimSensor& sensor, SimConfig config) : endpoint_(sensor, config, this) {
    endpoint_.write = [this](const QByteArray& bytes) {
        if (::write(master_, bytes.constData(), bytes.size()) < 0) return;
    };
    endpoint_.switchBaud = [this](int baudIndex) { SetBaud(baudIndex); };
    endpoint_.SetByteRate(BytesPerSecond(baudIndex_));
}

SerialLine::~SerialLine() {
    notifier_.reset();
    if (!linkPath_.isEmpty()) QFile::remove(linkPath_);
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
}

bool SerialLine::Open(const QString& linkPath, QString& error) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        error = QString("cannot create a pseudo-terminal: %1").arg(std::strerror(errno));
        return false;
    }
    const char* slaveName = ptsname(master_);
    slave_ = ::open(slaveName, O_RDWR | O_NOCTTY);
    if (slave_ < 0) {
        error = QString("cannot open %1: %2").arg(slaveName, std::strerror(errno));
        return false;
    }
    termios t{};
    tcgetattr(slave_, &t);
    cfmakeraw(&t);
    cfsetspeed(&t, SpeedOf(baudIndex_));
    tcsetattr(slave_, TCSANOW, &t);
    QFile::remove(linkPath);
    if (!QFile::link(QString::fromLocal8Bit(slaveName), linkPath)) {
        error = QString("cannot create the link %1").arg(linkPath);
        return false;
    }
    linkPath_ = linkPath;
    notifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &SerialLine::OnReadable);
    return true;
}

void SerialLine::OnReadable() {
    char buffer[4096];
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n <= 0) return;
    // Bytes sent at another rate than the sensor's arrive as garbage: drop them.
    termios t{};
    if (tcgetattr(slave_, &t) == 0 && cfgetispeed(&t) != SpeedOf(baudIndex_)) return;
    endpoint_.Receive(QByteArray(buffer, static_cast<int>(n)));
}

void SerialLine::SetBaud(int baudIndex) {
    baudIndex_ = baudIndex;
    endpoint_.SetByteRate(BytesPerSecond(baudIndex_));
}
