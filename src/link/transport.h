#pragma once
// The two ways to reach the sensor behind one interface. A transport delivers the
// bytes of one answer into the receive frame, counted from the start of the answer,
// and never writes past the 2048-byte frame.

#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QTcpSocket>
#include <cstdint>

class Transport : public QObject {
    Q_OBJECT
  public:
    explicit Transport(uint8_t* receiveFrame) : frame_(receiveFrame) {}
    // Starts a new answer: drops stale input, then writes the request.
    virtual void Send(const uint8_t* bytes, int count) = 0;
    // Bytes of the current answer that have arrived (taken or still queued).
    virtual int Received() = 0;
    // Makes sure receive-frame bytes [0, upto) hold the answer; upto <= 2048.
    virtual void Take(int upto) = 0;
    // Greater than 0 after a device error; the wait gives up at once then.
    virtual int Status() const = 0;

  protected:
    uint8_t* frame_;
};

// RS-232 through a serial port. Received bytes stay in the port's queue until taken.
class SerialTransport : public Transport {
    Q_OBJECT
  public:
    explicit SerialTransport(uint8_t* receiveFrame);
    // Opens device at baud 8N1 without handshake; returns 0 or a negative open code.
    int Open(const QString& device, qint32 baud);
    void Close();
    bool IsOpen() const { return port_.isOpen(); }
    void Send(const uint8_t* bytes, int count) override;
    int Received() override;
    void Take(int upto) override;
    int Status() const override { return status_; }

  private:
    void OnError(QSerialPort::SerialPortError error);
    QSerialPort port_;
    int taken_ = 0;
    int status_ = 0;
};

// TCP client. The data callback copies arriving bytes straight into the receive
// frame and leaves whatever does not fit in the socket.
class TcpTransport : public Transport {
    Q_OBJECT
  public:
    explicit TcpTransport(uint8_t* receiveFrame);
    // Connects within timeoutMs; returns 0 or a negative connect code.
    int Connect(const QString& host, quint16 port, int timeoutMs);
    void Close();
    bool IsConnected() const { return socket_.state() == QAbstractSocket::ConnectedState; }
    void Send(const uint8_t* bytes, int count) override;
    int Received() override { return receivedCount_; }
    void Take(int) override {}
    int Status() const override { return IsConnected() ? 0 : 1; }

  signals:
    // The sensor closed the connection.
    void ServerClosed();

  private:
    void OnDataReady();
    QTcpSocket socket_;
    int receivedCount_ = 0;
    bool closing_ = false;
};
