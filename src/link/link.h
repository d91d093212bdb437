#pragma once
// The sensor link: one request/answer transaction at a time over RS-232 or TCP, the
// unrequested frames of triggered sending and scope scans, and every failure
// reported the same way.

#include <QString>
#include <functional>
#include <span>

#include "link/frame.h"
#include "link/settings.h"
#include "link/transport.h"

struct ProgramFlags;

constexpr double ANSWER_TIMEOUT_S = 3.0;
constexpr int TCP_CONNECT_TIMEOUT_MS = 5000;
constexpr int FIRMWARE_ID_CHARS = 71;

// What a link error does to the user interface.
class LinkReporter {
  public:
    virtual void ShowStatus(const QString& text) = 0;
    virtual void AppendLog(const QString& text) = 0;
    virtual void DimLinkButtons() = 0;
    virtual void ShowCommunicationPage() = 0;

  protected:
    ~LinkReporter() = default;
};

namespace LinkTexts {
inline const QString TIMEOUT =
    "TIMEOUT! \nNO DATA RECEIVED! \nCOMMUNICATION ERROR! \nCHECK POWER SUPPLY AND COM SETTINGS. "
    "\nTRY TO CONNECT AGAIN!";
// The port failed while the link waited for an unrequested frame.
inline const QString PORT_ERROR =
    "TIMEOUT! \nCOMMUNICATION ERROR! \nCHECK POWER SUPPLY AND COM SETTINGS. \nTRY TO CONNECT "
    "AGAIN!";
inline const QString BAD_HEADER = "ATTENTION! \nRECEIVED HEADER FRAME IS INCORRECT!";
inline const QString BAD_DATA = "ATTENTION! \nRECEIVED DATA FRAME IS INCORRECT!";
inline const QString INVALID_ORDER = "INVALIDE ORDER NUMBER!\nVERIFY PC AND SENSOR SOFTWARE!";
inline const QString CONTROL_UNIT_ERROR =
    "COMMUNICATION ERROR ON CONTROL UNIT!\nYOU MAY HAVE TO REDUCE THE BAUDRATE!";
inline const QString SERVER_CLOSED = "SERVER HAS CLOSED CONNECTION!";
inline const QString SHORT_ANSWER = "ATTENTION! \nRECEIVED DATA FRAME IS INCOMPLETE!";
inline const QString STATUS_TIMEOUT = "TIMEOUT!";
}  // namespace LinkTexts

// Texts of the serial open and TCP connect result codes.
QString ComOpenErrorText(int code);
QString TcpConnectErrorText(int code);

// Where the payload of a successful answer goes.
enum class AnswerCopy { None, PayloadWords, Measurement };

// One order and what its caller needs of the answer.
struct SensorRequest {
    uint8_t order = 0;
    uint16_t param = 0;
    std::span<const uint16_t> words = {};  // payload words sent with the order
    int answerBytes = 0;                   // shortest answer payload the caller can use
    AnswerCopy copy = AnswerCopy::None;
};

enum class ReceiveResult {
    Frame,     // a checked frame stands in the receive frame
    Stopped,   // the stop condition held first; nothing was reported
    BadFrame,  // a frame arrived but failed its checks (reported); the link goes on
    LinkLost,  // the port failed or the connection closed (reported)
};

class SensorLink : public QObject {
    Q_OBJECT
  public:
    SensorLink(ProgramFlags& flags, LinkReporter& reporter, QString programDir);

    FrameBuffers buffers;
    AnswerHeader answer;
    QString messageText;
    QString firmwareId;
    LinkSettings settings;
    // Longest wait for the answer header, and again for the payload.
    double answerTimeout = ANSWER_TIMEOUT_S;

    // Builds the frame, transacts, checks the answer's length and copies its payload.
    // False when any step failed (already reported).
    bool Request(const SensorRequest& request);
    // Writes byteCount bytes of the transmit frame and receives the answer.
    // False on failure (already reported).
    bool Transact(int byteCount);
    bool CheckHeader();
    bool ReadData();
    // Waits without time-out for the next unrequested frame until stop() holds or the
    // transport fails. Bytes that follow a frame are kept for the next call.
    ReceiveResult ReceiveFrame(const std::function<bool()>& stop);
    void ShowLinkError();
    // Report `text` through ShowLinkError.
    void ReportLinkError(const QString& text);

    // An answer shorter than the caller needs would mix fresh words with stale ones:
    // it is reported and refused whole. True when the answer has `bytes` bytes or more.
    bool RequireAnswerLength(int bytes);
    // A line in the communication log.
    void AppendLog(const QString& text) { reporter_.AppendLog(text); }

    void CopyToPayloadWords();
    void CopyToMeasurement();

    // Open the one transport and close the other; false after a reported failure.
    bool OpenComPort();
    // The same for a serial device named by its path, at the settings' baud rate.
    bool OpenSerialDevice(const QString& device);
    bool ConnectTcp();
    void CloseComPort() { serial_.Close(); }
    void CloseTcp();
    bool ComPortOpen() const { return serial_.IsOpen(); }
    // Puts a transport of the caller's in charge (an in-memory one for fuzzing).
    void Attach(Transport& transport);

  private:
    bool WaitForHeader();
    bool WaitForBytes(int count, double seconds);
    void OnTransportClosed(Transport* source);

    ProgramFlags& flags_;
    LinkReporter& reporter_;
    QString programDir_;
    SerialTransport serial_;
    TcpTransport tcp_;
    Transport* active_;
    // Bytes of the handled frame at the start of the receive frame; the next
    // unrequested frame starts behind them.
    int handledBytes_ = 0;
};
