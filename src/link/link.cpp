#include "link/link.h"

#include <algorithm>
#include <cstring>

#include "core/flags.h"
#include "core/wait.h"

QString ComOpenErrorText(int code) {
    switch (code) {
        case -1:
            return "Unknown system error";
        case -2:
            return "Invalid port number";
        case -3:
            return "Port is not open";
        case -4:
            return "Unknown I/0 error";
        case -6:
            return "No serial port found";
        case -7:
            return "Cannot open port";
        case -14:
            return "Invalid Baudrate";
        case -99:
            return "Timeout";
        default:
            return "RS-232 error!";
    }
}

QString TcpConnectErrorText(int code) {
    static const char* const texts[] = {"UnableToRegisterService",
                                        "UnableToEstablishConnection",
                                        "ExistingServer",
                                        "FailedToConnect",
                                        "ServerNotRegistered",
                                        "TooManyConversations",
                                        "ReadFailed",
                                        "WriteFailed",
                                        "InvalidParameter",
                                        "OutOfMemory",
                                        "TimeOutError",
                                        "NoConnectionEstablished",
                                        "GeneralIOErr",
                                        "ConnectionClosed",
                                        "UnableToLoadWinsockDLL",
                                        "IncorrectWinsockDLLVersion",
                                        "NetworkSubsystemNotReady",
                                        "ConnectionsStillOpen",
                                        "DisconnectPending",
                                        "InfoNotAvailable"};
    if (code <= -1 && code >= -20) return texts[-code - 1];
    return "Connection to server failed";
}

SensorLink::SensorLink(ProgramFlags& flags, LinkReporter& reporter, QString programDir)
    : flags_(flags),
      reporter_(reporter),
      programDir_(std::move(programDir)),
      serial_(buffers.receive),
      tcp_(buffers.receive),
      active_(&serial_) {
    connect(&tcp_, &Transport::Closed, this, [this] { OnTransportClosed(&tcp_); });
}

void SensorLink::Attach(Transport& transport) {
    active_ = &transport;
    handledBytes_ = 0;
}

void SensorLink::OnTransportClosed(Transport* source) {
    if (source == &tcp_) flags_.tcpConnected = false;
    // A connection given up for the serial port must not stop the serial session.
    if (source == active_) ReportLinkError(LinkTexts::SERVER_CLOSED);
}

bool SensorLink::Request(const SensorRequest& r) {
    const int wordCount = static_cast<int>(std::min<size_t>(r.words.size(), PAYLOAD_WORDS));
    std::copy_n(r.words.begin(), wordCount, buffers.payloadWords);
    const int count = BuildFrame(buffers, r.order, wordCount, r.param,
                                 static_cast<uint16_t>(2 * wordCount));
    if (!Transact(count) || !RequireAnswerLength(r.answerBytes)) return false;
    if (r.copy == AnswerCopy::PayloadWords) CopyToPayloadWords();
    if (r.copy == AnswerCopy::Measurement) CopyToMeasurement();
    return true;
}

bool SensorLink::Transact(int byteCount) {
    std::memset(buffers.receive, 0, sizeof buffers.receive);
    handledBytes_ = 0;
    byteCount = std::clamp(byteCount, 0, FRAME_BYTES);
    active_->Send(buffers.transmit, byteCount);
    bool ok = WaitForHeader();
    if (ok && answer.length > 0) ok = ReadData();
    // What follows a good answer (the first frames of a scope scan) is kept; after a
    // failed one nothing that arrived belongs to a frame that can be trusted.
    handledBytes_ = ok ? HEADER_BYTES + answer.length : active_->Take(FRAME_BYTES);
    return ok;
}

bool SensorLink::WaitForBytes(int count, double seconds) {
    Transport& t = *active_;
    // A dead device cannot deliver: give up at once instead of sitting out the time-out.
    WaitUntil([&] { return t.Received() >= count || t.Failed() || flags_.closeRequested; },
              seconds);
    return t.Received() >= count && t.Take(count) >= count;
}

bool SensorLink::WaitForHeader() {
    if (!WaitForBytes(HEADER_BYTES, answerTimeout)) {
        ReportLinkError(LinkTexts::TIMEOUT);
        return false;
    }
    if (!CheckHeader()) return false;
    if (answer.order != ERROR_ANSWER) return true;
    if (answer.param == ERROR_UNKNOWN_ORDER) {
        ReportLinkError(LinkTexts::INVALID_ORDER);
        return false;
    }
    if (answer.param == ERROR_CONTROL_UNIT) {
        ReportLinkError(LinkTexts::CONTROL_UNIT_ERROR);
        return false;
    }
    return true;
}

bool SensorLink::CheckHeader() {
    const uint8_t* header = buffers.receive;
    const AnswerHeader decoded = DecodeHeader(header);
    // An announced payload larger than the receive frame cannot be a valid answer. Over
    // TCP it simply never completes (the wait ends in the time-out); a serial port
    // would hand it out, so there it is rejected here and every read stays in the frame.
    const bool tooLong = decoded.length > MAX_PAYLOAD_BYTES && active_ != &tcp_;
    if (!HeaderIsCorrect(header) || tooLong) {
        ReportLinkError(LinkTexts::BAD_HEADER);
        return false;
    }
    answer = decoded;
    return true;
}

bool SensorLink::ReadData() {
    if (!WaitForBytes(HEADER_BYTES + answer.length, answerTimeout)) {
        ReportLinkError(LinkTexts::TIMEOUT);
        return false;
    }
    if (Crc8(buffers.receive, HEADER_BYTES, answer.length) == answer.dataCrc) return true;
    ReportLinkError(LinkTexts::BAD_DATA);
    return false;
}

ReceiveResult SensorLink::ReceiveFrame(const std::function<bool()>& stop) {
    Transport& t = *active_;
    t.Consume(std::exchange(handledBytes_, 0));
    const auto stopped = [&] { return stop() || flags_.closeRequested; };
    WaitUntil([&] { return stopped() || t.Received() >= HEADER_BYTES || t.Failed(); },
              WAIT_FOREVER);
    if (stopped()) return ReceiveResult::Stopped;
    if (t.Received() < HEADER_BYTES) {
        // A closed connection has been reported when it closed.
        if (!t.PeerClosed()) ReportLinkError(LinkTexts::PORT_ERROR);
        return ReceiveResult::LinkLost;
    }
    t.Take(HEADER_BYTES);
    // A bad header is dropped; the next call looks at what follows it.
    handledBytes_ = HEADER_BYTES;
    if (!CheckHeader()) return ReceiveResult::BadFrame;
    const bool ok = answer.length == 0 || ReadData();
    // Also what arrived of a payload that failed is dropped, on either transport.
    const int frameBytes = HEADER_BYTES + answer.length;
    handledBytes_ = std::min(t.Take(frameBytes), frameBytes);
    return ok ? ReceiveResult::Frame : ReceiveResult::BadFrame;
}

void SensorLink::ReportLinkError(const QString& text) {
    messageText = text;
    ShowLinkError();
}

void SensorLink::ShowLinkError() {
    flags_.goRunning = false;
    flags_.linkOk = false;
    reporter_.ShowStatus(LinkTexts::STATUS_TIMEOUT);
    reporter_.AppendLog(messageText + "\n\n");
    reporter_.DimLinkButtons();
    reporter_.ShowCommunicationPage();
}

bool SensorLink::RequireAnswerLength(int bytes) {
    if (answer.length >= bytes) return true;
    ReportLinkError(LinkTexts::SHORT_ANSWER);
    return false;
}

void SensorLink::CopyToPayloadWords() {
    UnpackWords(buffers.receive + HEADER_BYTES, answer.length, buffers.payloadWords, PAYLOAD_WORDS);
}

void SensorLink::CopyToMeasurement() {
    UnpackWords(buffers.receive + HEADER_BYTES, answer.length, buffers.measurementWords,
                PAYLOAD_WORDS);
}

bool SensorLink::OpenComPort() {
    return OpenSerialDevice(ComPortDevice(settings.comPort, programDir_));
}

bool SensorLink::OpenSerialDevice(const QString& device) {
    flags_.goRunning = false;
    CloseTcp();
    serial_.Close();
    Attach(serial_);
    const int code = serial_.Open(device, BaudRate(settings.baudIndex));
    if (code < 0) ReportLinkError(ComOpenErrorText(code));
    return code >= 0;
}

bool SensorLink::ConnectTcp() {
    CloseTcp();
    serial_.Close();
    Attach(tcp_);
    const int port = PortNumberValue(settings.portNumber);
    const int code = port > 65535 ? -9
                                  : tcp_.Connect(settings.ipAddress, static_cast<quint16>(port),
                                                 TCP_CONNECT_TIMEOUT_MS,
                                                 [this] { return flags_.closeRequested; });
    flags_.tcpConnected = code >= 0;
    if (code < 0) ReportLinkError(TcpConnectErrorText(code));
    return code >= 0;
}

void SensorLink::CloseTcp() {
    tcp_.Close();
    flags_.tcpConnected = false;
}
