#include "faults.h"

#include "link/frame.h"
#include "protocol.h"

QStringList FaultNames() {
    return {"none",  "header-crc", "data-crc", "sync",  "error0",   "error1", "error2",     "empty",
            "split", "delay",      "silent",   "close", "oversize", "count",  "close-after"};
}

bool ParseFault(const QString& name, FaultKind& kind) {
    const int index = FaultNames().indexOf(name);
    if (index < 0) return false;
    kind = static_cast<FaultKind>(index);
    return true;
}

FaultKind FaultPlan::Next() {
    ++answers_;
    const bool hit = every_ > 0 ? answers_ % every_ == 0 : answers_ == 1;
    return hit ? kind_ : FaultKind::None;
}

namespace {

// Rewrites header byte `index` and re-seals the header so only that change is wrong.
QByteArray Reseal(QByteArray answer, int index, uint8_t value) {
    auto* bytes = reinterpret_cast<uint8_t*>(answer.data());
    bytes[index] = value;
    bytes[7] = Crc8(bytes, 0, 7);
    return answer;
}

}  // namespace

QList<Piece> ApplyFault(FaultKind kind, const QByteArray& answer, int delayMs) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(answer.constData());
    switch (kind) {
        case FaultKind::None:
        case FaultKind::CloseAfter:
            return {{answer}};
        case FaultKind::HeaderCrc: {
            QByteArray bad = answer;
            bad[7] = static_cast<char>(bytes[7] ^ 0x5A);
            return {{bad}};
        }
        case FaultKind::DataCrc:
            return {{Reseal(answer, 6, bytes[6] ^ 0x5A)}};
        case FaultKind::Sync:
            return {{Reseal(answer, 0, 0x54)}};
        case FaultKind::Error0:
            return {{MakeFrame(ERROR_ANSWER, 0)}};
        case FaultKind::Error1:
            return {{MakeFrame(ERROR_ANSWER, ERROR_UNKNOWN_ORDER)}};
        case FaultKind::Error2:
            return {{MakeFrame(ERROR_ANSWER, ERROR_CONTROL_UNIT)}};
        case FaultKind::Empty:
            return {{MakeFrame(bytes[1], 0)}};
        case FaultKind::Split:
            return {{answer.left(5)}, {answer.mid(5), delayMs}};
        case FaultKind::Delay:
            return {{answer, delayMs}};
        case FaultKind::Silent:
        case FaultKind::Close:
            return {};
        case FaultKind::Count:
            return {{Reseal(answer, 2, 3)}};
        case FaultKind::Oversize: {
            // More bytes follow than the receiver's frame can hold.
            constexpr uint16_t announced = 4000;
            QByteArray big = Reseal(MakeFrame(bytes[1], 0), 4, announced & 0xFF);
            big = Reseal(big, 5, announced >> 8);
            return {{big + QByteArray(2100, '\x5A')}};
        }
    }
    return {{answer}};
}
