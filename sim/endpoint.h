#pragma once
// One way in to the simulated sensor (a TCP connection or the pseudo-terminal):
// requests in, answers out, with the configured faults and, on the serial side,
// at the line's byte rate.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <deque>

#include "faults.h"
#include "protocol.h"
#include "scopescan.h"

struct SimConfig {
    FaultPlan* faults;
    int faultDelayMs = 500;
    QString requestLog;  // empty: requests are not logged
    int triggerPeriodMs = 0;  // triggered sending: 0 follows IN0, otherwise a fixed period
    // Faults of the unrequested frames (triggered data frames, scope frames), counted
    // apart from the answers; nullptr: they go out clean.
    FaultPlan* frameFaults = nullptr;
};

// Where an endpoint's answers go: a TCP connection or the pseudo-terminal.
class EndpointPeer {
  public:
    virtual void Write(const QByteArray& bytes) = 0;
    // A connection can be closed; a serial line cannot (the close faults leave it alone).
    virtual bool CanClose() const = 0;
    virtual void Close() = 0;
    // An answer to ORDER_SET_BAUDRATE has gone out.
    virtual void SwitchBaud(int baudIndex) = 0;

  protected:
    ~EndpointPeer() = default;
};

class Endpoint : public QObject {
    Q_OBJECT
  public:
    Endpoint(SimSensor& sensor, SimConfig config, EndpointPeer& peer, QObject* parent = nullptr);

    // Bytes per second on the line; 0 sends at once.
    void SetByteRate(double bytesPerSecond) { byteRate_ = bytesPerSecond; }
    void Receive(const QByteArray& bytes);


  private:
    struct Chunk {
        QByteArray bytes;
        double notBeforeMs = 0;
        int baudAfter = -1;
        bool closeAfter = false;
    };
    void Close();
    void Answer(const FrameAssembler::Request& request);
    // Queues bytes with a fault applied; baudAfter >= 0 switches the rate once they are out.
    void Send(FaultKind fault, const QByteArray& bytes, int baudAfter = -1);
    void SendUnrequested(const QByteArray& frame);
    void RunScopeCommand(const Reply& reply);
    void LogRequest(const QByteArray& frame) const;
    void Pump();
    // Triggered sending: one unrequested data frame per trigger while switched on.
    void SwitchTriggeredSending(bool on);
    void CheckTrigger();

    SimSensor& sensor_;
    SimConfig config_;
    EndpointPeer& peer_;
    FrameAssembler assembler_;
    std::deque<Chunk> queue_;
    QElapsedTimer clock_;
    QTimer tick_;
    QTimer trigger_;
    ScopeScan scope_;
    bool lastIn0_ = false;
    double byteRate_ = 0;
    bool closed_ = false;  // after a close fault: nothing more goes out
    bool lineBusy_ = false;
    double lineStartMs_ = 0;
    qint64 lineSent_ = 0;
    double requestMs_ = 0;  // line time of the request being answered
};
