#include "ctl/commands.h"

#include <QDateTime>
#include <QFile>
#include <cstdio>

#include "core/measurement.h"
#include "core/wait.h"
#include "files/hwinfotext.h"
#include "files/paramtext.h"
#include "files/recordfile.h"
#include "link/sensorops.h"

namespace {

// A text of the system on one line: its line breaks as blanks.
QString OneLine(const QString& text) {
    QString line = text;
    line.replace('\n', ' ');
    while (line.endsWith(' ')) line.chop(1);
    return line;
}

// False when standard output is gone (the reader of a pipe has ended).
bool PrintOut(const QByteArray& bytes) {
    const size_t size = static_cast<size_t>(bytes.size());
    return std::fwrite(bytes.constData(), 1, size, stdout) == size && std::fflush(stdout) == 0;
}

ExitStatus FileError(const QString& text) {
    PrintError(text);
    return ExitStatus::UsageOrFile;
}

}  // namespace

void PrintError(const QString& text) {
    std::fputs(qPrintable(OneLine(text) + "\n"), stderr);
    std::fflush(stderr);
}

void StderrReporter::AppendLog(const QString& text) {
    if (!OneLine(text).isEmpty()) PrintError(text);
}

CtlSession::CtlSession(const CtlOptions& options, const QString& programDir,
                       const bool& interrupted)
    : options_(options), interrupted_(interrupted), link_(flags_, reporter_, programDir) {
    clock_.start();
}

double CtlSession::Seconds() const { return static_cast<double>(clock_.nsecsElapsed()) / 1e9; }

CtlSession::~CtlSession() {
    link_.CloseTcp();
    link_.CloseComPort();
}

bool CtlSession::OpenLink() {
    LinkSettings& s = link_.settings;
    s.baudIndex = options_.baudIndex;
    s.comPort = options_.comPort;
    switch (options_.link) {
        case LinkKind::Tcp:
            s.protocol = PROTOCOL_TCP;
            s.ipAddress = options_.host;
            s.portNumber = options_.port;
            return link_.ConnectTcp();
        case LinkKind::Device:
            return link_.OpenSerialDevice(options_.device);
        case LinkKind::Com:
            break;
    }
    return link_.OpenComPort();
}

ExitStatus CtlSession::Run() {
    // A file that is refused never reaches the sensor.
    ParameterSet toSend{};
    if (options_.command == Command::Send) {
        const ExitStatus read = ReadParameterFile(toSend);
        if (read != ExitStatus::Ok) return read;
    }
    if (!OpenLink()) return ExitStatus::LinkFailure;
    switch (options_.command) {
        case Command::Identify:
            return Identify();
        case Command::Get:
            return Get();
        case Command::Send:
            return Send(toSend);
        case Command::Record:
            return Record();
        case Command::Watch:
            return Watch();
        case Command::HwInfo:
            return HwInfo();
        case Command::None:
            break;
    }
    return ExitStatus::UsageOrFile;
}

ExitStatus CtlSession::Identify() {
    if (!ReadFirmwareId(link_)) return ExitStatus::LinkFailure;
    PrintOut(link_.firmwareId.toLatin1() + '\n');
    return ExitStatus::Ok;
}

ExitStatus CtlSession::Get() {
    ParameterSet set{};
    const TransferResult result =
        ReadParameterBlocks(link_, set, options_.setIndex, options_.memory);
    if (!result.ok) return ExitStatus::LinkFailure;
    if (!BuildParameterFile(set).WriteToFile(options_.file))
        return FileError("Parameter file could not be saved: " + options_.file);
    // The file holds what the sensor has; replaced values are still a sensor failure.
    return result.Plausible() ? ExitStatus::Ok : ExitStatus::LinkFailure;
}

ExitStatus CtlSession::ReadParameterFile(ParameterSet& set) {
    IniText ini;
    if (!ini.ReadFromFile(options_.file))
        return FileError("Parameter file could not be read: " + options_.file);
    const QStringList problems = HeaderProblems(ini, PARAMETER_FILE_TYPE, NOT_A_PARAMETER_FILE);
    for (const QString& problem : problems) PrintError(problem);
    if (!problems.isEmpty() && !options_.force) return FileError(NOTHING_READ);
    for (const QString& report : GapReports(ReadParameterValues(ini, set))) PrintError(report);
    return ExitStatus::Ok;
}

ExitStatus CtlSession::Send(ParameterSet set) {
    // No file holds the reserved words: they go back as the sensor's RAM holds them, as
    // after the program's connect, which reads the set before any SEND.
    ParameterSet current{};
    if (!ReadParameterBlocks(link_, current, options_.setIndex, MemorySelect::Ram).ok)
        return ExitStatus::LinkFailure;
    for (int r = 0; r < TEACH_ROWS; ++r) set.table[r].reserved = current.table[r].reserved;
    const TransferResult result =
        SendParameterBlocks(link_, set, options_.setIndex, options_.memory);
    if (!result.ok) return ExitStatus::LinkFailure;
    PrintOut(QString("PLAUSIBILITY COUNTS: PARAMETER %1, TEACH VECTORS %2\n")
                 .arg(result.scalarCount)
                 .arg(result.tableCount)
                 .toLatin1());
    return result.Plausible() && result.saved ? ExitStatus::Ok : ExitStatus::LinkFailure;
}

bool CtlSession::RequestFrame() {
    if (!link_.Request({.order = ORDER_GET_DATA})) return false;
    TakeDataFrame(link_, frame_);
    return true;
}

bool CtlSession::AppendRecord() {
    if (AppendToFile(options_.file, RecordLine(frame_, QDateTime::currentDateTime()))) return true;
    PrintError("Record file could not be written: " + options_.file);
    return false;
}

ExitStatus CtlSession::Record() {
    // As on the recording page an existing file is replaced by the header; truncated,
    // not removed, so a device or link named by mistake is not unlinked.
    if (!WriteNewFile(options_.file, RecordHeader(options_.panelId)))
        return FileError("Record file could not be written: " + options_.file);
    return options_.triggered ? RecordTriggered() : RecordTimed();
}

void CtlSession::WaitForInterval(double start, double seconds) {
    WaitUntil([&] { return interrupted_ || Seconds() - start >= seconds; },
              std::max(0.0, seconds - (Seconds() - start)));
}

ExitStatus CtlSession::RecordTimed() {
    const double interval = std::max(options_.interval, MIN_RECORD_INTERVAL);
    for (int n = 1; !interrupted_; ++n) {
        const double start = Seconds();
        if (!RequestFrame()) return ExitStatus::LinkFailure;
        if (!AppendRecord()) return ExitStatus::UsageOrFile;
        if (n == options_.count) break;
        WaitForInterval(start, interval);
    }
    return ExitStatus::Ok;
}

ExitStatus CtlSession::RecordTriggered() {
    ExitStatus status = ExitStatus::Ok;
    if (link_.Request({.order = ORDER_TRIGGERED_SEND, .param = 1})) {
        while (status == ExitStatus::Ok) {
            const ReceiveResult r = link_.ReceiveFrame([this] { return interrupted_; });
            if (r == ReceiveResult::Stopped) break;
            if (r != ReceiveResult::Frame)
                status = ExitStatus::LinkFailure;
            else {
                TakeDataFrame(link_, frame_);
                if (!AppendRecord()) status = ExitStatus::UsageOrFile;
            }
        }
    } else {
        status = ExitStatus::LinkFailure;
    }
    // The sensor stops sending, whatever ended the recording.
    const bool stopped = link_.Request({.order = ORDER_TRIGGERED_SEND, .param = 0});
    return status == ExitStatus::Ok && !stopped ? ExitStatus::LinkFailure : status;
}

ExitStatus CtlSession::Watch() {
    // A reader that has gone (head, a closed pipe) ends the watch like Ctrl+C.
    if (!PrintOut(RecordColumns() + '\n')) return ExitStatus::Ok;
    for (int n = 1; !interrupted_; ++n) {
        if (!RequestFrame()) return ExitStatus::LinkFailure;
        QByteArray line = RecordLine(frame_, QDateTime::currentDateTime());
        line.chop(2);  // CR LF of the file
        if (!PrintOut(line + '\n') || n == options_.count) break;
    }
    return ExitStatus::Ok;
}

ExitStatus CtlSession::HwInfo() {
    ParameterSet set{};
    CalibrationValues calibration;
    if (!ReadFirmwareId(link_) ||
        !ReadParameterBlocks(link_, set, options_.setIndex, MemorySelect::Ram).ok ||
        !ReadCalibrationValues(link_, calibration) || !ReadHardwareWords(link_))
        return ExitStatus::LinkFailure;
    const IniText ini = BuildHardwareInfoFile({.firmwareId = link_.firmwareId,
                                               .words = link_.buffers.measurementWords,
                                               .calibration = calibration,
                                               .parameters = set});
    if (!ini.WriteToFile(options_.file))
        return FileError("Hardware information file could not be saved: " + options_.file);
    return ExitStatus::Ok;
}
