#pragma once
// The sensor's serial side: a pseudo-terminal whose slave is reachable through a
// symlink, so the program opens it like any serial port.

#include <QObject>
#include <QSocketNotifier>
#include <memory>

#include "endpoint.h"

class SerialLine : public QObject, public EndpointPeer {
    Q_OBJECT
  public:
    SerialLine(SimSensor& sensor, SimConfig config);
    ~SerialLine() override;
    // Creates the terminal and the symlink; false with a message on failure. Whatever
    // already stands at linkPath is replaced only when it is a dangling symlink.
    bool Open(const QString& linkPath, QString& error);

    // EndpointPeer
    void Write(const QByteArray& bytes) override;
    bool CanClose() const override { return false; }
    void Close() override {}
    void SwitchBaud(int baudIndex) override;

  private:
    void OnReadable();

    Endpoint endpoint_;
    int master_ = -1;
    int slave_ = -1;        // kept open so the master never sees a hang-up between programs
    QByteArray slaveName_;  // the link's target, to recognise our own link at exit
    QString linkPath_;
    int baudIndex_ = 4;
    std::unique_ptr<QSocketNotifier> notifier_;
};
