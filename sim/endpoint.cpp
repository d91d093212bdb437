#include "endpoint.h"

#include <QFile>

void Endpoint::LogRequest(const QByteArray& frame) const {
    if (config_.requestLog.isEmpty()) return;
    QFile log(config_.requestLog);
    if (log.open(QIODevice::Append)) log.write(frame.toHex(' ') + '\n');
}

Endpoint::Endpoint(SimSensor& sensor, SimConfig config, QObject* parent)
    : QObject(parent), sensor_(sensor), config_(config) {
    clock_.start();
    tick_.setInterval(1);
    tick_.setTimerType(Qt::PreciseTimer);
    connect(&tick_, &QTimer::timeout, this, &Endpoint::Pump);
}

void Endpoint::Receive(const QByteArray& bytes) {
    assembler_.Append(bytes);
    while (auto request = assembler_.Next()) Answer(*request);
}

void Endpoint::Answer(const FrameAssembler::Request& request) {
    LogRequest(request.frame);
    const Reply reply = sensor_.Answer(request);
    const FaultKind fault = config_.faults->Next();
    if (fault == FaultKind::Close) {
        if (close) close();
        return;
    }
    const QList<Piece> pieces = ApplyFault(fault, reply.bytes, config_.faultDelayMs);
    qint64 at = clock_.elapsed();
    for (const Piece& piece : pieces) {
        at += piece.delayMs;
        queue_.push_back({piece.bytes, at, -1});
    }
    if (!queue_.empty()) queue_.back().baudAfter = reply.newBaudIndex;
    if (!tick_.isActive()) {
        lastMs_ = clock_.elapsed();
        credit_ = 0;
        tick_.start();
    }
    Pump();
}

void Endpoint::Pump() {
    const qint64 now = clock_.elapsed();
    // Credit for the bytes the line could have carried since the last turn, capped
    // so a pause (a delayed piece) does not turn into a burst.
    credit_ = std::min(credit_ + (now - lastMs_) * byteRate_ / 1000.0,
                       std::max(1.0, byteRate_ * 0.005));
    lastMs_ = now;
    while (!queue_.empty() && queue_.front().notBeforeMs <= now) {
        Chunk& chunk = queue_.front();
        qsizetype n = chunk.bytes.size();
        if (byteRate_ > 0) n = std::min<qsizetype>(n, static_cast<qsizetype>(credit_));
        if (n <= 0) return;
        credit_ -= static_cast<double>(n);
        if (write) write(chunk.bytes.left(n));
        chunk.bytes.remove(0, n);
        if (!chunk.bytes.isEmpty()) return;
        const int baud = chunk.baudAfter;
        queue_.pop_front();
        if (baud >= 0 && switchBaud) switchBaud(baud);
    }
    if (queue_.empty()) {
        tick_.stop();
        credit_ = 0;
    }
}
