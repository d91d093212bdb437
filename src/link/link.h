#pragma once
// The sensor link: one request/answer transaction at a time over RS-232 or TCP,
// with every failure reported the same way.

#include <QString>
#include <memory>

#include "link/frame.h"
#include "link/settings.h"
#include "link/transport.h"

struct ProgramFlags;
class Platform;

constexpr double ANSWER_TIMEOUT_S = 3.0;
constexpr int TCP_CONNECT_TIMEOUT_MS = 5000;
constexpr int FIRMWARE_ID_CHARS = 71;

// What a link error does to the user interface.
class LinkReporter {
  public:
    virtual ~LinkReporter() = default;
    virtual void ShowStatus(const QString& text) = 0;
    virtual void AppendLog(const QString& text) = 0;
    virtual void DimLinkButtons() = 0;
    virtual void ShowCommunicationPage() = 0;
};

namespace LinkTexts {
inline const QString TIMEOUT =
    "TIMEOUT! \nNO DATA RECEIVED! \nCOMMUNICATION ERROR! \nCHECK POWER SUPPLY AND COM SETTINGS. "
    "\nTRY TO CONNECT AGAIN!";
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

class SensorLink : public QObject {
    Q_OBJECT
  public:
    SensorLink(ProgramFlags& flags, QString programDir);

    void SetReporter(LinkReporter* reporter) { reporter_ = reporter; }

    FrameBuffers buffers;
    AnswerHeader answer;
    QString messageText;
    QString firmwareId;
    LinkSettings settings;
    int lastOpenStatus = 0;

    // Writes byteCount bytes of the transmit frame and receives the answer.
    // Returns 1 on success, -1 on failure (already reported).
    int Transact(int byteCount);
    int CheckHeader();
    int ReadData();
    void ShowLinkError();
    // Report `text` through ShowLinkError.
    void ReportLinkError(const QString& text);

    // An answer shorter than the caller needs would mix fresh words with stale ones:
    // it is reported and refused whole. True when the answer has `bytes` bytes or more.
    bool RequireAnswerLength(int bytes);
    // A line in the communication log.
    void AppendLog(const QString& text);

    void CopyToPayloadWords();
    void CopyToMeasurement();

    int OpenComPort();
    int ConnectTcp();
    void CloseComPort() { serial_.Close(); }
    void CloseTcp();
    bool ComPortOpen() const { return serial_.IsOpen(); }

  private:
    Transport& Active();
    int WaitForHeader();
    bool WaitForBytes(int count);

    ProgramFlags& flags_;
    QString programDir_;
    LinkReporter* reporter_ = nullptr;
    SerialTransport serial_;
    TcpTransport tcp_;
};
