#pragma once
// The two ways to reach the sensor behind one interface. A transport delivers the
// bytes of the sensor's frames into the receive frame, counted from the start of the
// frame being read, and never writes past the 2048-byte frame.

#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QTcpSocket>
#include <cstdint>
#include <functional>

class Transport : public QObject {
    Q_OBJECT
  public:
    explicit Transport(uint8_t* receiveFrame) : frame_(receiveFrame) {}
    // Starts a new answer: drops stale input, then writes the request.
    virtual void Send(const uint8_t* bytes, int count) = 0;
    // Bytes of the current frame that have arrived (taken or still queued).
    virtual int Received() = 0;
    // Moves what has arrived of receive-frame bytes [0, upto) into the frame (upto is
    // limited to 2048); returns how many bytes the frame holds now.
    virtual int Take(int upto) = 0;
    // Drops the first count bytes (a frame that has been handled) and moves what
    // arrived behind them to the start of the receive frame: nothing between two
    // unrequested frames is lost.
    virtual void Consume(int count) = 0;
    // The device failed or the connection is gone; no more bytes will come.
    virtual bool Failed() const = 0;
    // The failure was the sensor closing the connection (already announced by Closed).
    virtual bool PeerClosed() const { return false; }

  signals:
    // The sensor closed the connection.
    void Closed();

  protected:
    // Drops the first count of the held bytes and moves the rest to the start of the
    // frame; returns how many stay held.
    int DropFront(int held, int count);

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
    int Take(int upto) override;
    void Consume(int count) override;
    bool Failed() const override { return failed_ || !port_.isOpen(); }

  private:
    void OnError(QSerialPort::SerialPortError error);
    QSerialPort port_;
    int taken_ = 0;
    bool failed_ = false;
};

// TCP client. The data callback copies arriving bytes straight into the receive
// frame and leaves whatever does not fit in the socket.
class TcpTransport : public Transport {
    Q_OBJECT
  public:
    explicit TcpTransport(uint8_t* receiveFrame);
    // Connects within timeoutMs, or until cancelled() holds; returns 0 or a negative
    // connect code.
    int Connect(const QString& host, quint16 port, int timeoutMs,
                const std::function<bool()>& cancelled);
    void Close();
    bool IsConnected() const { return socket_.state() == QAbstractSocket::ConnectedState; }
    void Send(const uint8_t* bytes, int count) override;
    int Received() override { return receivedCount_; }
    int Take(int) override { return receivedCount_; }
    void Consume(int count) override;
    bool Failed() const override { return !IsConnected(); }
    bool PeerClosed() const override { return peerClosed_; }

  private:
    void OnDataReady();
    void OnDisconnected();
    QTcpSocket socket_;
    int receivedCount_ = 0;
    bool closing_ = false;
    bool peerClosed_ = false;
};
