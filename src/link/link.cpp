#include "link/link.h"

#include <cstring>

#include "app/flags.h"
#include "ui/wait.h"

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

SensorLink::SensorLink(ProgramFlags& flags, QString programDir)
    : flags_(flags),
      programDir_(std::move(programDir)),
      serial_(buffers.receive),
      tcp_(buffers.receive) {
    connect(&tcp_, &TcpTransport::ServerClosed, this, [this] {
        flags_.tcpConnected = false;
        ReportLinkError(LinkTexts::SERVER_CLOSED);
    });
}

Transport& SensorLink::Active() {
    if (settings.protocol == PROTOCOL_TCP) return tcp_;
    return serial_;
}

int SensorLink::Transact(int byteCount) {
    std::memset(buffers.receive, 0, sizeof buffers.receive);
    byteCount = std::clamp(byteCount, 0, FRAME_BYTES);
    Active().Send(buffers.transmit, byteCount);
    int result = WaitForHeader();
    if (result == 1 && answer.length > 0) result = ReadData();
    return result;
}

bool SensorLink::WaitForBytes(int count) {
    Transport& t = Active();
    // A dead device cannot deliver: give up at once instead of sitting out the time-out.
    WaitUntil([&] { return t.Received() >= count || t.Status() > 0; }, ANSWER_TIMEOUT_S);
    if (t.Received() < count || t.Status() > 0) return false;
    t.Take(count);
    return true;
}

int SensorLink::WaitForHeader() {
    if (!WaitForBytes(HEADER_BYTES)) {
        ReportLinkError(LinkTexts::TIMEOUT);
        return -1;
    }
    if (CheckHeader() == -1) return -1;
    if (answer.order != ERROR_ANSWER) return 1;
    if (answer.param == ERROR_UNKNOWN_ORDER) {
        ReportLinkError(LinkTexts::INVALID_ORDER);
        return -1;
    }
    if (answer.param == ERROR_CONTROL_UNIT) {
        ReportLinkError(LinkTexts::CONTROL_UNIT_ERROR);
        return -1;
    }
    return 1;
}

int SensorLink::CheckHeader() {
    const uint8_t* header = buffers.receive;
    const AnswerHeader decoded = DecodeHeader(header);
    // An announced payload larger than the receive frame cannot be a valid answer;
    // rejecting it here keeps every later read inside the frame.
    if (!HeaderIsCorrect(header) || decoded.length > MAX_PAYLOAD_BYTES) {
        ReportLinkError(LinkTexts::BAD_HEADER);
        return -1;
    }
    answer = decoded;
    return 1;
}

int SensorLink::ReadData() {
    if (!WaitForBytes(HEADER_BYTES + answer.length)) {
        ReportLinkError(LinkTexts::TIMEOUT);
        return -1;
    }
    if (Crc8(buffers.receive, HEADER_BYTES, answer.length) == answer.dataCrc) return 1;
    ReportLinkError(LinkTexts::BAD_DATA);
    return -1;
}

void SensorLink::ReportLinkError(const QString& text) {
    messageText = text;
    ShowLinkError();
}

void SensorLink::ShowLinkError() {
    flags_.goRunning = false;
    flags_.linkOk = false;
    if (!reporter_) return;
    reporter_->ShowStatus(LinkTexts::STATUS_TIMEOUT);
    reporter_->AppendLog(messageText + "\n\n");
    reporter_->DimLinkButtons();
    reporter_->ShowCommunicationPage();
}

bool SensorLink::RequireAnswerLength(int bytes) {
    if (answer.length >= bytes) return true;
    ReportLinkError(LinkTexts::SHORT_ANSWER);
    return false;
}

void SensorLink::AppendLog(const QString& text) {
    if (reporter_) reporter_->AppendLog(text);
}

void SensorLink::CopyToPayloadWords() {
    UnpackWords(buffers.receive + HEADER_BYTES, answer.length, buffers.payloadWords, PAYLOAD_WORDS);
}

void SensorLink::CopyToMeasurement() {
    UnpackWords(buffers.receive + HEADER_BYTES, answer.length, buffers.measurementWords,
                PAYLOAD_WORDS);
}

int SensorLink::OpenComPort() {
    flags_.goRunning = false;
    serial_.Close();
    lastOpenStatus =
        serial_.Open(ComPortDevice(settings.comPort, programDir_), BaudRate(settings.baudIndex));
    if (lastOpenStatus < 0) ReportLinkError(ComOpenErrorText(lastOpenStatus));
    return lastOpenStatus;
}

int SensorLink::ConnectTcp() {
    if (flags_.tcpConnected) CloseTcp();
    const int port = PortNumberValue(settings.portNumber);
    lastOpenStatus = port > 65535 ? -9
                                  : tcp_.Connect(settings.ipAddress, static_cast<quint16>(port),
                                                 TCP_CONNECT_TIMEOUT_MS);
    flags_.tcpConnected = lastOpenStatus >= 0;
    if (lastOpenStatus < 0) ReportLinkError(TcpConnectErrorText(lastOpenStatus));
    return lastOpenStatus;
}

void SensorLink::CloseTcp() {
    tcp_.Close();
    flags_.tcpConnected = false;
}
