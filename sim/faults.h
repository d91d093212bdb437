#pragma once
// Faults the simulated sensor can put into its answers, so every error path of the
// program can be reached on purpose.

#include <QByteArray>
#include <QString>
#include <QStringList>

enum class FaultKind {
    None,
    HeaderCrc,   // header CRC wrong
    DataCrc,     // payload CRC wrong, header consistent
    Sync,        // header consistent but byte 0 is not the sync byte
    Error0,      // error answer with code 0
    Error1,      // error answer: unknown order
    Error2,      // error answer: communication error on the control unit
    Empty,       // a correct answer without its payload
    Split,       // the answer in two pieces (5 bytes, then the rest) with a delay between
    Delay,       // the whole answer after a delay
    Silent,      // no answer at all
    Close,       // the connection is closed instead of answering (TCP)
    Oversize,    // a header announcing more payload than any frame can hold
    Count,       // the answer reports 3 values set to default by the plausibility check
    CloseAfter,  // the correct answer, then the connection is closed (TCP; serial: as None)
};

// Names as used on the command line, in the order of FaultKind.
QStringList FaultNames();
bool ParseFault(const QString& name, FaultKind& kind);

// When faults apply: to the first answer only (every == 0) or to every Nth answer.
class FaultPlan {
  public:
    FaultPlan(FaultKind kind = FaultKind::None, int every = 0) : kind_(kind), every_(every) {}
    // The fault for the next answer (None when it goes out clean).
    FaultKind Next();

  private:
    FaultKind kind_;
    int every_;
    int answers_ = 0;
};

// One piece of an answer and how long to wait before it goes out.
struct Piece {
    QByteArray bytes;
    int delayMs = 0;
};

// Applies a byte-level fault to a correct answer. Returns the pieces to send
// (empty for Silent and Close). Closing after CloseAfter is up to the endpoint.
QList<Piece> ApplyFault(FaultKind kind, const QByteArray& answer, int delayMs);
