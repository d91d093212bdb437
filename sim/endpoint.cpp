#include "endpoint.h"

#include <QFile>
#include <algorithm>
#include <chrono>
#include <thread>

void Endpoint::LogRequest(const QByteArray& frame) const {
    if (config_.requestLog.isEmpty()) return;
    QFile log(config_.requestLog);
    if (log.open(QIODevice::Append)) log.write(frame.toHex(' ') + '\n');
}

Endpoint::Endpoint(SimSensor& sensor, SimConfig config, EndpointPeer& peer, QObject* parent)
    : QObject(parent), sensor_(sensor), config_(config), peer_(peer), scope_(sensor) {
    clock_.start();
    connect(&scope_, &ScopeScan::FrameReady, this, &Endpoint::SendUnrequested);
    tick_.setInterval(1);
    trigger_.setTimerType(Qt::PreciseTimer);
    connect(&trigger_, &QTimer::timeout, this, &Endpoint::CheckTrigger);
    tick_.setTimerType(Qt::PreciseTimer);
    connect(&tick_, &QTimer::timeout, this, &Endpoint::Pump);
}

void Endpoint::Receive(const QByteArray& bytes) {
    if (closed_) return;
    assembler_.Append(bytes);
    while (!closed_) {
        auto request = assembler_.Next();
        if (!request) break;
        Answer(*request);
    }
}

void Endpoint::Close() {
    // Without a way to close (the serial line) the fault leaves the answers alone.
    if (!peer_.CanClose()) return;
    closed_ = true;
    queue_.clear();
    tick_.stop();
    trigger_.stop();
    scope_.Break();
    lineBusy_ = false;
    peer_.Close();
}

void Endpoint::Answer(const FrameAssembler::Request& request) {
    LogRequest(request.frame);
    requestMs_ = byteRate_ > 0 ? request.frame.size() * 1000.0 / byteRate_ : 0.0;
    const Reply reply = sensor_.Answer(request);
    const AnswerHeader asked =
        DecodeHeader(reinterpret_cast<const uint8_t*>(request.frame.constData()));
    if (asked.order == ORDER_TRIGGERED_SEND && request.dataOk)
        SwitchTriggeredSending(asked.param == 1);
    Send(config_.faults->Next(), reply.bytes, reply.newBaudIndex);
    // After the acknowledgement is queued, so scope frames always follow it.
    if (!closed_) RunScopeCommand(reply);
}

void Endpoint::Send(FaultKind fault, const QByteArray& bytes, int baudAfter) {
    if (fault == FaultKind::Close) {
        Close();
        return;
    }
    const QList<Piece> pieces = ApplyFault(fault, bytes, config_.faultDelayMs);
    if (pieces.isEmpty()) return;
    double at = clock_.nsecsElapsed() / 1e6;
    for (const Piece& piece : pieces) {
        at += piece.delayMs;
        queue_.push_back({piece.bytes, at, -1});
    }
    queue_.back().baudAfter = baudAfter;
    queue_.back().closeAfter = fault == FaultKind::CloseAfter;
    if (!tick_.isActive()) tick_.start();
    Pump();
}

void Endpoint::SendUnrequested(const QByteArray& frame) {
    if (closed_) return;
    Send(config_.frameFaults ? config_.frameFaults->Next() : FaultKind::None, frame);
}

void Endpoint::RunScopeCommand(const Reply& reply) {
    switch (reply.scope) {
        case ScopeCommand::Start:
            scope_.Start(reply.scopeSettings);
            break;
        case ScopeCommand::Break:
            scope_.Break();
            break;
        case ScopeCommand::None:
            break;
    }
}

void Endpoint::SwitchTriggeredSending(bool on) {
    if (!on) {
        trigger_.stop();
        return;
    }
    lastIn0_ = sensor_.In0Now();
    trigger_.start(config_.triggerPeriodMs > 0 ? config_.triggerPeriodMs : 1);
}

void Endpoint::CheckTrigger() {
    if (closed_) return;
    const bool in0 = sensor_.In0Now();
    const bool rising = in0 && !lastIn0_;
    lastIn0_ = in0;
    if (config_.triggerPeriodMs == 0 && !rising) return;
    SendUnrequested(sensor_.TriggeredFrame());
}

void Endpoint::Pump() {
    while (!queue_.empty()) {
        double now = clock_.nsecsElapsed() / 1e6;
        Chunk& chunk = queue_.front();
        if (chunk.notBeforeMs > now) return;  // a delayed piece: the tick comes back for it
        qsizetype n = chunk.bytes.size();
        if (byteRate_ > 0) {
            if (!lineBusy_) {
                // Bytes go back to back from the moment the request would have finished
                // arriving on a real line.
                lineBusy_ = true;
                lineStartMs_ = std::max(now, chunk.notBeforeMs + requestMs_);
                lineSent_ = 0;
            }
            // One byte at a time, each when its last bit would have arrived.
            n = 1;
            const double dueMs = lineStartMs_ + (lineSent_ + n) * 1000.0 / byteRate_;
            if (dueMs > now + 2.0) return;  // far off: the next tick
            if (dueMs > now)
                std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(dueMs - now));
            lineSent_ += n;
        }
        peer_.Write(chunk.bytes.left(n));
        chunk.bytes.remove(0, n);
        if (!chunk.bytes.isEmpty()) continue;
        const int baud = chunk.baudAfter;
        const bool closeAfter = chunk.closeAfter;
        queue_.pop_front();
        if (baud >= 0) peer_.SwitchBaud(baud);
        if (closeAfter && peer_.CanClose()) {
            Close();
            return;
        }
        // A later piece starts the line afresh when its time comes.
        if (!queue_.empty() && queue_.front().notBeforeMs > now) lineBusy_ = false;
    }
    tick_.stop();
    lineBusy_ = false;
}
