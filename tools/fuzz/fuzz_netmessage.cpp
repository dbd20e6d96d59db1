// Network race messages: any bytes from a peer are read without a crash, either as one of the
// known messages or as garbage; what is read encodes and reads back the same; the frame reader
// never hands out more than a frame may hold.
#include <QCoreApplication>

#include "net/Protocol.h"
#include "tools/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const auto m = kd::net::Decode(bytes)) {
        const QByteArray again = kd::net::EncodePayload(*m);
        KD_FUZZ_REQUIRE(again.size() <= kd::net::kMaxPayload);
        const auto back = kd::net::Decode(again);
        KD_FUZZ_REQUIRE(back && back->index() == m->index());
        KD_FUZZ_REQUIRE(kd::net::EncodePayload(*back) == again);
    }
    kd::net::FrameReader reader;
    // Fed in two pieces, as a stream arrives.
    reader.Feed(bytes.left(qsizetype(size / 2)));
    int frames = 0;
    while (const auto payload = reader.Next()) {
        KD_FUZZ_REQUIRE(payload->size() <= kd::net::kMaxPayload);
        kd::net::Decode(*payload);
        ++frames;
    }
    reader.Feed(bytes.mid(qsizetype(size / 2)));
    while (const auto payload = reader.Next()) {
        KD_FUZZ_REQUIRE(payload->size() > 0 && payload->size() <= kd::net::kMaxPayload);
        kd::net::Decode(*payload);
        ++frames;
    }
    KD_FUZZ_REQUIRE(frames <= int(size / 5) + 1);
    return 0;
}
