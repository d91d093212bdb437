#include "serialline.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

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

bool IsSymlink(const QByteArray& path) {
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

// A link whose terminal is gone was left by a sensor that did not exit cleanly.
bool IsDanglingSymlink(const QByteArray& path) {
    struct stat st {};
    return IsSymlink(path) && ::stat(path.constData(), &st) != 0 && errno == ENOENT;
}

// The link's target, empty when path is no symlink or cannot be read.
QByteArray LinkTarget(const QByteArray& path) {
    char target[4096];
    const ssize_t n = ::readlink(path.constData(), target, sizeof target);
    if (n <= 0 || n >= static_cast<ssize_t>(sizeof target)) return {};
    return QByteArray(target, static_cast<int>(n));
}

}  // namespace

SerialLine::SerialLine(SimSensor& sensor, SimConfig config)
    : endpoint_(sensor, config, *this, this) {
    endpoint_.SetByteRate(BytesPerSecond(baudIndex_));
}

void SerialLine::Write(const QByteArray& bytes) {
    if (::write(master_, bytes.constData(), bytes.size()) < 0) return;  // a hung-up reader
}

SerialLine::~SerialLine() {
    notifier_.reset();
    // Only our own link goes: someone may have put something else there meanwhile.
    if (!linkPath_.isEmpty()) {
        const QByteArray link = linkPath_.toLocal8Bit();
        if (LinkTarget(link) == slaveName_) ::unlink(link.constData());
    }
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
    if (slaveName == nullptr) {
        error = QString("cannot name the pseudo-terminal: %1").arg(std::strerror(errno));
        return false;
    }
    slaveName_ = slaveName;
    slave_ = ::open(slaveName_.constData(), O_RDWR | O_NOCTTY);
    if (slave_ < 0) {
        error = QString("cannot open %1: %2")
                    .arg(QString::fromLocal8Bit(slaveName_), std::strerror(errno));
        return false;
    }
    termios t{};
    tcgetattr(slave_, &t);
    cfmakeraw(&t);
    cfsetspeed(&t, SpeedOf(baudIndex_));
    tcsetattr(slave_, TCSANOW, &t);
    // symlink() never overwrites, so a link or file appearing meanwhile is not lost.
    const QByteArray link = linkPath.toLocal8Bit();
    int failure = ::symlink(slaveName_.constData(), link.constData()) == 0 ? 0 : errno;
    if (failure == EEXIST && IsDanglingSymlink(link)) {
        failure = ::unlink(link.constData()) == 0 || errno == ENOENT ? 0 : errno;
        if (failure == 0)
            failure = ::symlink(slaveName_.constData(), link.constData()) == 0 ? 0 : errno;
    }
    if (failure == EEXIST) {
        error = QString(
                    "%1 already exists (another simulated sensor running? remove it if it "
                    "is stale)")
                    .arg(linkPath);
        return false;
    }
    if (failure != 0) {
        error = QString("cannot create the link %1: %2").arg(linkPath, std::strerror(failure));
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

void SerialLine::SwitchBaud(int baudIndex) {
    baudIndex_ = baudIndex;
    endpoint_.SetByteRate(BytesPerSecond(baudIndex_));
}
