// The wire format: every message survives a trip, and anything a stranger could send that is
// not exactly a known message is refused as garbage.
#include <gtest/gtest.h>

#include <QCborArray>
#include <QCborMap>
#include <QCborValue>
#include <QtEndian>

#include "net/Protocol.h"

namespace kd::net {
namespace {

std::vector<Message> Samples() {
    Lobby lobby{1, {{0, QStringLiteral("たろう"), 1}, {2, QStringLiteral("Hanako"), 5}}};
    Start start;
    start.race = 7;
    start.seed = 0xABCDEF;
    start.genre = 1;
    start.lanes = {{{LaneKind::Human, QStringLiteral("たろう"), 1},
                    {LaneKind::Human, QStringLiteral("じろう"), 3},
                    {LaneKind::Computer, QStringLiteral("青オバケ"), 12},
                    {LaneKind::Computer, QStringLiteral("Po4(ぽよん)"), 13}}};
    Lanes lanes{
        3, {582, 10, 0, 1000}, {LaneState::Finished, LaneState::Racing, LaneState::Gone, LaneState::Out}};
    Result result{3,
                  {{{2, 1, LaneState::Finished, 59, 3, 21000},
                    {0, 2, LaneState::Finished, 100, 0, 25000},
                    {1, 3, LaneState::Out, 10, 20, 9000},
                    {3, 4, LaneState::Gone, 0, 0, 0}}}};
    return {Hello{9999, QStringLiteral("ハナコ"), 5},
            Welcome{3},
            Reject{RejectReason::Racing},
            lobby,
            start,
            Progress{7, kMaxCount, 0},
            lanes,
            result,
            Left{2},
            Ping{},
            Bye{},
            Probe{},
            Room{QStringLiteral("たろう"), 47811, 4}};
}

TEST(NetProtocol, EveryMessageSurvivesAFrameAndTheParser) {
    for (const Message& m : Samples()) {
        const QByteArray frame = EncodeFrame(m);
        ASSERT_LE(frame.size(), kMaxFrame);
        FrameReader reader;
        // One byte at a time, as a slow line delivers it.
        std::optional<QByteArray> payload;
        for (char c : frame) {
            EXPECT_FALSE(payload.has_value());
            reader.Feed(QByteArray(1, c));
            payload = reader.Next();
        }
        ASSERT_TRUE(payload.has_value());
        const auto back = Decode(*payload);
        ASSERT_TRUE(back.has_value()) << m.index();
        EXPECT_EQ(back->index(), m.index());
        EXPECT_EQ(EncodePayload(*back), EncodePayload(m));
    }
}

QCborMap Base(const char* type) {
    QCborMap m;
    m.insert(QStringLiteral("v"), kProtocolVersion);
    m.insert(QStringLiteral("t"), QString::fromLatin1(type));
    return m;
}

QCborMap HelloMap(QCborValue code, QCborValue name, QCborValue chara) {
    QCborMap m = Base("hello");
    m.insert(QStringLiteral("code"), code);
    m.insert(QStringLiteral("name"), name);
    m.insert(QStringLiteral("chara"), chara);
    return m;
}

TEST(NetProtocol, RefusesEverythingThatIsNotExactlyAKnownMessage) {
    const QString ok = QStringLiteral("たろう");
    QCborMap extra = HelloMap(1234, ok, 1);
    extra.insert(QStringLiteral("admin"), true);
    QCborMap missing = Base("hello");
    missing.insert(QStringLiteral("code"), 1234);
    QCborMap badLanes = Base("lanes");
    badLanes.insert(QStringLiteral("race"), 1);
    badLanes.insert(QStringLiteral("x"), QCborArray{1, 2, 3});
    badLanes.insert(QStringLiteral("state"), QCborArray{0, 0, 0, 0});
    QCborMap farLanes = badLanes;
    farLanes.insert(QStringLiteral("x"), QCborArray{1, 2, 3, 5000});
    QCborMap sameLane = Base("lobby");
    sameLane.insert(QStringLiteral("genre"), 0);
    sameLane.insert(QStringLiteral("players"), QCborArray{QCborArray{1, ok, 1}, QCborArray{1, ok, 2}});
    QCborMap v2 = HelloMap(1234, ok, 1);
    v2.insert(QStringLiteral("v"), 2);

    const struct {
        const char* what;
        QByteArray payload;
        DecodeError error;
    } cases[] = {
        {"empty", QByteArray(), DecodeError::Garbage},
        {"not CBOR", QByteArray("GET / HTTP/1.1\r\n\r\n"), DecodeError::Garbage},
        {"an array, not a map", QCborValue(QCborArray{1, 2}).toCbor(), DecodeError::Garbage},
        {"unknown type", QCborValue(Base("admin")).toCbor(), DecodeError::Garbage},
        {"extra field", QCborValue(extra).toCbor(), DecodeError::Garbage},
        {"missing fields", QCborValue(missing).toCbor(), DecodeError::Garbage},
        {"code above four digits", QCborValue(HelloMap(10000, ok, 1)).toCbor(), DecodeError::Garbage},
        {"negative code", QCborValue(HelloMap(-1, ok, 1)).toCbor(), DecodeError::Garbage},
        {"code as text", QCborValue(HelloMap(QStringLiteral("1234"), ok, 1)).toCbor(), DecodeError::Garbage},
        {"computer character for a player", QCborValue(HelloMap(1, ok, 11)).toCbor(), DecodeError::Garbage},
        {"empty name", QCborValue(HelloMap(1, QString(), 1)).toCbor(), DecodeError::Garbage},
        {"name with a line break", QCborValue(HelloMap(1, QStringLiteral("a\nb"), 1)).toCbor(),
         DecodeError::Garbage},
        {"name of 17 characters", QCborValue(HelloMap(1, QString(17, u'あ'), 1)).toCbor(),
         DecodeError::Garbage},
        {"name as a path", QCborValue(HelloMap(1, QStringLiteral("../../etc\u0000"), 1)).toCbor(),
         DecodeError::Garbage},
        {"three lanes", QCborValue(badLanes).toCbor(), DecodeError::Garbage},
        {"lane beyond the track", QCborValue(farLanes).toCbor(), DecodeError::Garbage},
        {"two players in one lane", QCborValue(sameLane).toCbor(), DecodeError::Garbage},
        {"trailing bytes", QCborValue(HelloMap(1, ok, 1)).toCbor() + "x", DecodeError::Garbage},
        {"larger than a frame", QByteArray(kMaxPayload + 1, '\xa0'), DecodeError::Garbage},
        {"another version", QCborValue(v2).toCbor(), DecodeError::Version},
    };
    for (const auto& c : cases) {
        DecodeError error = DecodeError::None;
        EXPECT_FALSE(Decode(c.payload, &error).has_value()) << c.what;
        EXPECT_EQ(error, c.error) << c.what;
    }
}

TEST(NetProtocol, FrameReaderStopsAtALengthNoFrameMayHave) {
    for (quint32 length : {0u, quint32(kMaxPayload) + 1, 0xFFFFFFFFu}) {
        QByteArray bytes(4, '\0');
        qToBigEndian<quint32>(length, bytes.data());
        FrameReader reader;
        reader.Feed(bytes + QByteArray(100, 'x'));
        EXPECT_FALSE(reader.Next().has_value()) << length;
        EXPECT_EQ(reader.state(), FrameReader::State::Garbage) << length;
        // Nothing more is ever handed out from a stream that went bad.
        reader.Feed(EncodeFrame(Ping{}));
        EXPECT_FALSE(reader.Next().has_value());
    }
}

TEST(NetProtocol, NamesFromThePlayerListAreCleanedForTheWire) {
    EXPECT_EQ(CleanName(QStringLiteral("  たろう\t")), QStringLiteral("たろう"));
    EXPECT_EQ(CleanName(QStringLiteral("a\u0007b")), QStringLiteral("ab"));
    EXPECT_EQ(CleanName(QString(40, u'x')).size(), kMaxNameLength);
    EXPECT_EQ(CleanName(QStringLiteral("\n\n")), QStringLiteral("Player"));
    for (const QString& n : {QStringLiteral("  たろう\t"), QString(40, u'x'), QStringLiteral("\r")})
        EXPECT_TRUE(IsCleanName(CleanName(n)));
}

}  // namespace
}  // namespace kd::net
