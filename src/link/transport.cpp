#include "link/transport.h"

#include "link/frame.h"
#include <cstring>

#include "core/wait.h"

SerialTransport::SerialTransport(uint8_t* receiveFrame) : Transport(receiveFrame) {
    connect(&port_, &QSerialPort::errorOccurred, this, &SerialTransport::OnError);
}

namespace {

int OpenCode(QSerialPort::SerialPortError error) {
    switch (error) {
        case QSerialPort::NoError:
            return 0;
        case QSerialPort::DeviceNotFoundError:
            return -6;
        case QSerialPort::PermissionError:
        case QSerialPort::OpenError:
            return -7;
        case QSerialPort::UnsupportedOperationError:
            return -14;
        case QSerialPort::TimeoutError:
            return -99;
        default:
            return -1;
    }
}

}  // namespace

int SerialTransport::Open(const QString& device, qint32 baud) {
    Close();
    port_.setPortName(device);
    port_.setBaudRate(baud);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.setReadBufferSize(FRAME_BYTES);
    failed_ = false;
    if (!port_.open(QIODevice::ReadWrite)) {
        const int code = OpenCode(port_.error());
        port_.clearError();
        return code < 0 ? code : -1;
    }
    port_.clear();
    return 0;
}

void SerialTransport::Close() {
    if (port_.isOpen()) port_.close();
}

void SerialTransport::OnError(QSerialPort::SerialPortError error) {
    // A hung-up device reports read errors in a storm: close on the first one.
    if (error == QSerialPort::ReadError || error == QSerialPort::ResourceError ||
        error == QSerialPort::WriteError) {
        failed_ = true;
        if (port_.isOpen()) port_.close();
    }
}

void SerialTransport::Send(const uint8_t* bytes, int count) {
    taken_ = 0;
    if (!port_.isOpen()) return;
    failed_ = false;
    port_.clear(QSerialPort::AllDirections);
    port_.write(reinterpret_cast<const char*>(bytes), count);
}

int SerialTransport::Received() {
    return taken_ + (port_.isOpen() ? static_cast<int>(port_.bytesAvailable()) : 0);
}

int SerialTransport::Take(int upto) {
    upto = std::min(upto, FRAME_BYTES);
    if (upto <= taken_ || !port_.isOpen()) return taken_;
    const qint64 n = port_.read(reinterpret_cast<char*>(frame_) + taken_, upto - taken_);
    if (n > 0) taken_ += static_cast<int>(n);
    return taken_;
}

int Transport::DropFront(int held, int count) {
    count = std::clamp(count, 0, held);
    std::memmove(frame_, frame_ + count, static_cast<size_t>(held - count));
    return held - count;
}

void SerialTransport::Consume(int count) { taken_ = DropFront(taken_, count); }

TcpTransport::TcpTransport(uint8_t* receiveFrame) : Transport(receiveFrame) {
    socket_.setReadBufferSize(FRAME_BYTES);
    connect(&socket_, &QTcpSocket::readyRead, this, &TcpTransport::OnDataReady);
    connect(&socket_, &QTcpSocket::disconnected, this, &TcpTransport::OnDisconnected);
}

namespace {

int ConnectCode(QAbstractSocket::SocketError error) {
    switch (error) {
        case QAbstractSocket::HostNotFoundError:
            return -2;
        case QAbstractSocket::ConnectionRefusedError:
            return -4;
        case QAbstractSocket::SocketTimeoutError:
            return -11;
        case QAbstractSocket::NetworkError:
            return -13;
        case QAbstractSocket::RemoteHostClosedError:
            return -14;
        case QAbstractSocket::SocketResourceError:
            return -10;
        case QAbstractSocket::UnsupportedSocketOperationError:
            return -9;
        default:
            return -4;
    }
}

}  // namespace

int TcpTransport::Connect(const QString& host, quint16 port, int timeoutMs,
                          const std::function<bool()>& cancelled) {
    Close();
    socket_.connectToHost(host, port);
    const bool settled = WaitUntil(
        [&] {
            const auto state = socket_.state();
            return state == QAbstractSocket::ConnectedState ||
                   state == QAbstractSocket::UnconnectedState || cancelled();
        },
        timeoutMs / 1000.0);
    if (IsConnected()) {
        receivedCount_ = 0;
        peerClosed_ = false;
        return 0;
    }
    const int code = settled ? ConnectCode(socket_.error()) : -11;
    Close();
    return code;
}

void TcpTransport::Close() {
    closing_ = true;
    socket_.abort();
    closing_ = false;
}

void TcpTransport::Send(const uint8_t* bytes, int count) {
    // Bytes of an earlier, late answer must not be taken as the start of this one.
    socket_.readAll();
    receivedCount_ = 0;
    if (IsConnected()) socket_.write(reinterpret_cast<const char*>(bytes), count);
}

void TcpTransport::Consume(int count) {
    receivedCount_ = DropFront(receivedCount_, count);
    OnDataReady();  // what waited in the socket for room
}

void TcpTransport::OnDisconnected() {
    if (closing_) return;
    OnDataReady();  // an answer that came just before the close still counts
    peerClosed_ = true;
    emit Closed();
}

void TcpTransport::OnDataReady() {
    const int space = FRAME_BYTES - receivedCount_;
    if (space <= 0) return;  // the rest stays in the socket
    const qint64 n = socket_.read(reinterpret_cast<char*>(frame_) + receivedCount_, space);
    if (n > 0) receivedCount_ += static_cast<int>(n);
}
