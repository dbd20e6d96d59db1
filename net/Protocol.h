#pragma once
#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>
#include <variant>
#include <vector>

namespace kd::net {

// The wire format of a network race. Every message is a frame: a 4-byte big-endian length,
// then that many bytes of a CBOR map {"v": version, "t": type, ...fields}. Everything read
// from the network goes through Decode, which accepts only known types with every field
// present, of the right kind and in range; anything else is garbage and ends the connection.

constexpr int kProtocolVersion = 1;
constexpr int kMaxFrame = 4096;  // length prefix included
constexpr int kMaxPayload = kMaxFrame - 4;
constexpr int kMaxNameLength = 16;  // characters of a player's name
constexpr int kLaneCount = 4;
constexpr quint16 kDefaultPort = 47810;  // TCP for the room, UDP for discovery
constexpr int kPortTries = 10;           // a second room on one machine takes the next port
constexpr int kMaxCount = 30000;         // keys or misses in one race
constexpr int kMaxTrackX = 1000;
constexpr qint32 kMaxRaceMs = 60 * 60 * 1000;

enum class RejectReason { WrongCode = 1, Full = 2, Version = 3, Racing = 4 };
enum class LaneKind { Computer = 0, Human = 1 };
enum class LaneState { Racing = 0, Finished = 1, Out = 2, Gone = 3 };

struct Hello {
    int code = 0;  // the room code, 0..9999
    QString name;
    int chara = 1;  // 1..5
};
struct Welcome {
    int lane = 1;  // 1..3
};
struct Reject {
    RejectReason reason = RejectReason::WrongCode;
};
struct LobbyPlayer {
    int lane = 0;
    QString name;
    int chara = 1;
};
struct Lobby {
    int genre = 0;  // 0 idioms, 1 English words
    std::vector<LobbyPlayer> players;
};
struct StartLane {
    LaneKind kind = LaneKind::Computer;
    QString name;
    int chara = 1;  // 1..5 for players, 11..13 for computer lanes
};
struct Start {
    int race = 0;      // counts the races of a room, so late messages of the last one are ignored
    quint32 seed = 0;  // the question sequence every player draws
    int genre = 0;
    int countdownMs = 1500;
    std::array<StartLane, kLaneCount> lanes{};
};
struct Progress {
    int race = 0;
    int correct = 0;
    int misses = 0;
};
struct Lanes {
    int race = 0;
    std::array<int, kLaneCount> x{};
    std::array<LaneState, kLaneCount> state{};
};
struct ResultRow {
    int lane = 0;
    int place = 1;
    LaneState state = LaneState::Finished;
    int correct = 0;
    int misses = 0;
    qint32 ms = 0;  // from the start to the finish (or to the end of the race)
};
struct Result {
    int race = 0;
    std::array<ResultRow, kLaneCount> rows{};  // in order of place
};
struct Left {
    int lane = 0;
};
struct Ping {};
struct Bye {};
// Discovery over UDP: a joiner asks, every open room answers (the code is not told).
struct Probe {};
struct Room {
    QString host;
    int port = kDefaultPort;
    int players = 1;
};

using Message =
    std::variant<Hello, Welcome, Reject, Lobby, Start, Progress, Lanes, Result, Left, Ping, Bye, Probe, Room>;

// The CBOR payload of a message (without the length prefix).
QByteArray EncodePayload(const Message& m);
// Length prefix + payload.
QByteArray EncodeFrame(const Message& m);

enum class DecodeError { None, Garbage, Version };
// A payload from the network. Version is reported apart so that a host can tell an older
// or newer game why it cannot join.
std::optional<Message> Decode(const QByteArray& payload, DecodeError* error = nullptr);

// A name as the game shows it: control characters and surrounding spaces removed, cut to
// kMaxNameLength characters.
QString CleanName(const QString& name);
bool IsCleanName(const QString& name);

// Collects frames from a byte stream. Feed bytes; take frames while there are some.
class FrameReader {
  public:
    enum class State { Ok, Garbage };
    void Feed(const QByteArray& bytes) { m_buffer += bytes; }
    // The next whole payload, or nothing when more bytes are needed or the stream is bad.
    std::optional<QByteArray> Next();
    State state() const { return m_state; }
    // Bytes of an incomplete frame are waiting.
    bool Partial() const { return !m_buffer.isEmpty(); }

  private:
    QByteArray m_buffer;
    State m_state = State::Ok;
};

}  // namespace kd::net
