#pragma once
// A simulated sensor started for one test and stopped with it.

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

class SimProcess {
  public:
    // Starts chromik-sensor-sim on a free TCP port and on a pseudo-terminal reachable
    // as COM1 in dir(); extra arguments (faults, firmware) are passed on. The directory
    // is a new one in the system's temporary directory, or in parentDir when given.
    explicit SimProcess(const QStringList& extraArgs = {}, const QString& parentDir = {});
    ~SimProcess();

    // Both links are up: tests never fall back to a real serial port of the machine.
    bool Started() const { return tcpPort_ > 0 && serialReady_; }
    quint16 TcpPort() const { return tcpPort_; }
    QString Dir() const { return dir_.path(); }
    QString SerialLink() const { return dir_.filePath("COM1"); }
    QString EepromFile() const { return dir_.filePath("eeprom.bin"); }
    // Every request frame the sensor received, as lines of hex bytes.
    QStringList Requests() const;
    void ClearRequests() const;
    // Stops the sensor and starts it again with the same files and arguments.
    void Restart();

  private:
    void Start();
    QTemporaryDir dir_;
    QStringList args_;
    QProcess process_;
    quint16 tcpPort_ = 0;
    bool serialReady_ = false;
};
