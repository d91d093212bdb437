#pragma once
// A transport that serves bytes a test hands it, the way the TCP transport does:
// at most a frame's worth stands in the receive frame, the rest waits for room.

#include <QByteArray>
#include <QList>
#include <algorithm>
#include <cstring>

#include "link/frame.h"
#include "link/transport.h"

class MemoryTransport : public Transport {
  public:
    explicit MemoryTransport(uint8_t* receiveFrame) : Transport(receiveFrame) {}

    // Answers handed out one per request, in order.
    QList<QByteArray> answers;
    QList<QByteArray> requests;

    // Bytes arriving unrequested.
    void Feed(const QByteArray& bytes) {
        waiting_ += bytes;
        Fill();
    }
    // The device fails: no more bytes will come.
    void Break() { broken_ = true; }

    void Send(const uint8_t* bytes, int count) override {
        requests << QByteArray(reinterpret_cast<const char*>(bytes), count);
        held_ = 0;
        waiting_.clear();
        if (!answers.isEmpty()) Feed(answers.takeFirst());
    }
    int Received() override { return held_; }
    int Take(int) override { return held_; }
    void Consume(int count) override {
        held_ = DropFront(held_, count);
        Fill();
    }
    bool Failed() const override { return broken_; }

  private:
    void Fill() {
        const int n = std::min<int>(FRAME_BYTES - held_, static_cast<int>(waiting_.size()));
        std::memcpy(frame_ + held_, waiting_.constData(), static_cast<size_t>(n));
        held_ += n;
        waiting_.remove(0, n);
    }

    QByteArray waiting_;
    int held_ = 0;
    bool broken_ = false;
};

// A correct frame with the given payload.
inline QByteArray WireFrame(uint8_t order, uint16_t param, const QByteArray& payload = {}) {
    QByteArray frame(HEADER_BYTES, '\0');
    frame += payload;
    WriteHeader(reinterpret_cast<uint8_t*>(frame.data()), order, param,
                static_cast<uint16_t>(payload.size()));
    return frame;
}
