// libFuzzer target: the link's frame receiver (header check, payload read, the copies
// into the word buffers, the path for unrequested frames) must take any byte stream
// from the sensor without touching a byte that is not there, and whatever it hands on
// as a frame must be a checked frame, taken from where the previous one ended.
//
// The stream comes from an in-memory transport that delivers like the TCP one:
// straight into the receive frame, never more than the frame holds, the rest when a
// handled frame makes room. While the link runs, every byte of the shared buffers it
// has no business reading is poisoned, so ASan also catches reads that stay inside
// the buffers' struct (past the receive frame into the word buffers, or into the part
// of the receive frame that has not arrived yet).
#include <sanitizer/asan_interface.h>

#include <QCoreApplication>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "core/flags.h"
#include "link/link.h"

namespace {

// The input is kept as a crash with this line above the stack.
[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "frame_fuzz: %s\n", what);
    std::abort();
}

void Poison(const void* at, size_t bytes) { ASAN_POISON_MEMORY_REGION(at, bytes); }
void Unpoison(const void* at, size_t bytes) { ASAN_UNPOISON_MEMORY_REGION(at, bytes); }

class MemoryTransport : public Transport {
  public:
    MemoryTransport(uint8_t* receiveFrame, const uint8_t* data, size_t size)
        : Transport(receiveFrame), data_(data), size_(size) {}

    // The request goes nowhere: the whole input is the sensor's answer and whatever
    // it sends after it. Only what was held is dropped, as over TCP.
    void Send(const uint8_t*, int) override {
        start_ += static_cast<size_t>(held_);
        held_ = 0;
        Poison(frame_, FRAME_BYTES);
        Deliver();
    }
    int Received() override { return held_; }
    int Take(int upto) override {
        if (upto < 0 || upto > FRAME_BYTES) Fail("Take outside the receive frame");
        return held_;
    }
    // The TCP transport clamps the count; here a count beyond what is held means the
    // link lost track of its frames, which is a fault of its own.
    void Consume(int count) override {
        if (count < 0 || count > held_) Fail("Consume of bytes that are not held");
        std::memmove(frame_, frame_ + count, static_cast<size_t>(held_ - count));
        held_ -= count;
        start_ += static_cast<size_t>(count);
        Poison(frame_ + held_, static_cast<size_t>(FRAME_BYTES - held_));
        Deliver();
    }
    // Once the input is used up nothing more will come, so every wait ends at once.
    // While input is left the frame is full, so a wait for a header never blocks.
    bool Failed() const override { return next_ == size_; }

    // Offset in the input of receive-frame byte 0.
    size_t Start() const { return start_; }

  private:
    void Deliver() {
        const size_t n = std::min(static_cast<size_t>(FRAME_BYTES - held_), size_ - next_);
        Unpoison(frame_ + held_, n);
        std::memcpy(frame_ + held_, data_ + next_, n);
        held_ += static_cast<int>(n);
        next_ += n;
    }

    const uint8_t* data_;
    size_t size_;
    size_t next_ = 0;   // first input byte not yet delivered
    size_t start_ = 0;  // input offset of frame_[0]
    int held_ = 0;
};

class NullReporter : public LinkReporter {
  public:
    void ShowStatus(const QString&) override {}
    void AppendLog(const QString&) override {}
    void DimLinkButtons() override {}
    void ShowCommunicationPage() override {}
};

constexpr uint16_t UNTOUCHED = 0xD00D;
constexpr int MAX_RECEIVE_CALLS = 16;

// True when a complete frame that passes both checks starts at input[offset].
bool FrameInInput(const uint8_t* data, size_t size, size_t offset) {
    if (size - offset < HEADER_BYTES || !HeaderIsCorrect(data + offset)) return false;
    const AnswerHeader h = DecodeHeader(data + offset);
    return h.length <= MAX_PAYLOAD_BYTES && size - offset - HEADER_BYTES >= h.length &&
           Crc8(data + offset, HEADER_BYTES, h.length) == h.dataCrc;
}

// A frame the link accepted must be one that passes the checks on its own, made of
// the bytes that arrived.
void CheckAcceptedFrame(const SensorLink& link, MemoryTransport& transport, const uint8_t* data) {
    const uint8_t* frame = link.buffers.receive;
    const AnswerHeader& a = link.answer;
    if (a.length > MAX_PAYLOAD_BYTES) Fail("accepted length beyond the frame");
    if (transport.Received() < HEADER_BYTES + a.length) Fail("accepted a frame not yet arrived");
    if (std::memcmp(frame, data + transport.Start(), HEADER_BYTES + a.length) != 0)
        Fail("receive frame differs from the bytes that arrived");
    if (!HeaderIsCorrect(frame)) Fail("accepted a bad header");
    const AnswerHeader h = DecodeHeader(frame);
    if (h.order != a.order || h.param != a.param || h.length != a.length || h.dataCrc != a.dataCrc)
        Fail("answer differs from the header in the receive frame");
    if (a.length > 0 && Crc8(frame, HEADER_BYTES, a.length) != a.dataCrc)
        Fail("accepted a payload with a bad CRC");
}

// Runs one of the copies into a word buffer and checks it took the payload words and
// left every word behind them as it was.
void CheckCopy(SensorLink& link, uint16_t* words, void (SensorLink::*copy)()) {
    Unpoison(words, sizeof(uint16_t) * PAYLOAD_WORDS);
    std::fill_n(words, PAYLOAD_WORDS, UNTOUCHED);
    (link.*copy)();
    const uint8_t* payload = link.buffers.receive + HEADER_BYTES;
    const int count = link.answer.length / 2;
    for (int k = 0; k < PAYLOAD_WORDS; ++k) {
        const uint16_t expected =
            k < count ? static_cast<uint16_t>(payload[2 * k] | payload[2 * k + 1] << 8) : UNTOUCHED;
        if (words[k] != expected) Fail("word buffer does not hold the payload");
    }
    Poison(words, sizeof(uint16_t) * PAYLOAD_WORDS);
}

void CopyAndCheck(SensorLink& link) {
    CheckCopy(link, link.buffers.payloadWords, &SensorLink::CopyToPayloadWords);
    CheckCopy(link, link.buffers.measurementWords, &SensorLink::CopyToMeasurement);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static int argc = 1;
    static char name[] = "frame_fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);

    ProgramFlags flags;
    NullReporter reporter;
    // On the heap, so a read past the end of the whole link is caught as well.
    auto link = std::make_unique<SensorLink>(flags, reporter, QString());
    link->answerTimeout = 0;
    MemoryTransport transport(link->buffers.receive, data, size);
    link->Attach(transport);
    FrameBuffers& buffers = link->buffers;

    const int count = BuildFrame(buffers, ORDER_GET_DATA, 0, 0, 0);
    // The memory transport never reads the request, and nothing reads the word
    // buffers but the copies.
    Poison(buffers.transmit, sizeof buffers.transmit);
    Poison(buffers.payloadWords, sizeof buffers.payloadWords);
    Poison(buffers.measurementWords, sizeof buffers.measurementWords);
    bool previousFrame = link->Transact(count);
    size_t previousEnd = 0;
    if (previousFrame) {
        CheckAcceptedFrame(*link, transport, data);
        CopyAndCheck(*link);
        previousEnd = transport.Start() + HEADER_BYTES + link->answer.length;
    }

    // Also after a failed answer: the receive path must be as safe on whatever the
    // answer left in the frame.
    for (int call = 0; call < MAX_RECEIVE_CALLS; ++call) {
        // Nothing behind a frame may be lost or read twice: a frame that follows a
        // frame must be the next one handed on.
        const bool frameFollows = previousFrame && FrameInInput(data, size, previousEnd);
        const ReceiveResult result = link->ReceiveFrame([] { return false; });
        if (frameFollows && result != ReceiveResult::Frame) Fail("frame behind a frame lost");
        if (result == ReceiveResult::Frame) {
            CheckAcceptedFrame(*link, transport, data);
            if (previousFrame && transport.Start() != previousEnd)
                Fail("frame does not start where the previous one ended");
            CopyAndCheck(*link);
            previousFrame = true;
            previousEnd = transport.Start() + HEADER_BYTES + link->answer.length;
            continue;
        }
        previousFrame = false;
        // A bad frame is dropped and the next call looks behind it; with less than a
        // header left nothing more can come.
        if (result != ReceiveResult::BadFrame || transport.Received() < HEADER_BYTES) break;
    }

    Unpoison(&buffers, sizeof buffers);
    return 0;
}
