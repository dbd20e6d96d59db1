#include "net/Protocol.h"

#include <QCborArray>
#include <QCborMap>
#include <QCborStreamReader>
#include <QCborValue>
#include <QSet>
#include <QtEndian>
#include <algorithm>

#include "common/Roster.h"

namespace kd::net {

namespace {

QCborMap Head(const char* type) {
    QCborMap m;
    m.insert(QStringLiteral("v"), kProtocolVersion);
    m.insert(QStringLiteral("t"), QString::fromLatin1(type));
    return m;
}

struct Encoder {
    QCborMap operator()(const Hello& h) const {
        QCborMap m = Head("hello");
        m.insert(QStringLiteral("code"), h.code);
        m.insert(QStringLiteral("name"), h.name);
        m.insert(QStringLiteral("chara"), h.chara);
        return m;
    }
    QCborMap operator()(const Welcome& w) const {
        QCborMap m = Head("welcome");
        m.insert(QStringLiteral("lane"), w.lane);
        return m;
    }
    QCborMap operator()(const Reject& r) const {
        QCborMap m = Head("reject");
        m.insert(QStringLiteral("reason"), int(r.reason));
        return m;
    }
    QCborMap operator()(const Lobby& l) const {
        QCborMap m = Head("lobby");
        m.insert(QStringLiteral("genre"), l.genre);
        QCborArray players;
        for (const LobbyPlayer& p : l.players) players.append(QCborArray{p.lane, p.name, p.chara});
        m.insert(QStringLiteral("players"), players);
        return m;
    }
    QCborMap operator()(const Start& s) const {
        QCborMap m = Head("start");
        m.insert(QStringLiteral("race"), s.race);
        m.insert(QStringLiteral("seed"), qint64(s.seed));
        m.insert(QStringLiteral("genre"), s.genre);
        m.insert(QStringLiteral("countdown"), s.countdownMs);
        QCborArray lanes;
        for (const StartLane& l : s.lanes) lanes.append(QCborArray{int(l.kind), l.name, l.chara});
        m.insert(QStringLiteral("lanes"), lanes);
        return m;
    }
    QCborMap operator()(const Progress& p) const {
        QCborMap m = Head("progress");
        m.insert(QStringLiteral("race"), p.race);
        m.insert(QStringLiteral("correct"), p.correct);
        m.insert(QStringLiteral("misses"), p.misses);
        return m;
    }
    QCborMap operator()(const Lanes& l) const {
        QCborMap m = Head("lanes");
        m.insert(QStringLiteral("race"), l.race);
        QCborArray x, state;
        for (int i = 0; i < kLaneCount; ++i) {
            x.append(l.x[i]);
            state.append(int(l.state[i]));
        }
        m.insert(QStringLiteral("x"), x);
        m.insert(QStringLiteral("state"), state);
        return m;
    }
    QCborMap operator()(const Result& r) const {
        QCborMap m = Head("result");
        m.insert(QStringLiteral("race"), r.race);
        QCborArray rows;
        for (const ResultRow& row : r.rows)
            rows.append(QCborArray{row.lane, row.place, int(row.state), row.correct, row.misses, row.ms});
        m.insert(QStringLiteral("rows"), rows);
        return m;
    }
    QCborMap operator()(const Left& l) const {
        QCborMap m = Head("left");
        m.insert(QStringLiteral("lane"), l.lane);
        return m;
    }
    QCborMap operator()(const Ping&) const { return Head("ping"); }
    QCborMap operator()(const Bye&) const { return Head("bye"); }
    QCborMap operator()(const Probe&) const { return Head("probe"); }
    QCborMap operator()(const Room& r) const {
        QCborMap m = Head("room");
        m.insert(QStringLiteral("host"), r.host);
        m.insert(QStringLiteral("port"), r.port);
        m.insert(QStringLiteral("players"), r.players);
        return m;
    }
};

// Strict reading: a field that is missing, of another kind or out of range makes the whole
// message garbage.
class Fields {
  public:
    explicit Fields(const QCborMap& m) : m_map(m) {}
    bool ok = true;

    int Int(const char* key, qint64 lo, qint64 hi) {
        const QCborValue v = m_map.value(QLatin1String(key));
        if (!v.isInteger() || v.toInteger() < lo || v.toInteger() > hi) {
            ok = false;
            return int(lo);
        }
        return int(v.toInteger());
    }
    QString Name(const char* key) {
        const QCborValue v = m_map.value(QLatin1String(key));
        if (!v.isString() || !IsCleanName(v.toString())) {
            ok = false;
            return QString();
        }
        return v.toString();
    }
    QCborArray Array(const char* key, qsizetype minSize, qsizetype maxSize) {
        const QCborValue v = m_map.value(QLatin1String(key));
        if (!v.isArray() || v.toArray().size() < minSize || v.toArray().size() > maxSize) {
            ok = false;
            return QCborArray();
        }
        return v.toArray();
    }
    // The keys of the message are exactly these (besides "v" and "t").
    bool Exactly(std::initializer_list<const char*> keys) const {
        if (m_map.size() != qsizetype(keys.size()) + 2) return false;
        for (const char* k : keys)
            if (!m_map.contains(QLatin1String(k))) return false;
        return true;
    }

  private:
    const QCborMap& m_map;
};

bool IntIn(const QCborValue& v, qint64 lo, qint64 hi) {
    return v.isInteger() && v.toInteger() >= lo && v.toInteger() <= hi;
}

bool IsCharaNo(int n, bool computerToo) {
    for (const PlayableCharacter& c : PlayableCast())
        if (c.number == n) return true;
    // The computer lanes run the first heat's field.
    const auto& field = HeatPlanOf(1).laneCharacters;
    return computerToo && std::find(field.begin(), field.end(), n) != field.end();
}

// Long by choice: one short case per message kind, all checked in one place.
std::optional<Message> DecodeMap(const QCborMap& map) {
    const QString type = map.value(QStringLiteral("t")).toString();
    Fields f(map);
    if (type == QLatin1String("hello")) {
        if (!f.Exactly({"code", "name", "chara"})) return std::nullopt;
        Hello h;
        h.code = f.Int("code", 0, 9999);
        h.name = f.Name("name");
        h.chara = f.Int("chara", 1, 5);
        if (f.ok) return h;
    } else if (type == QLatin1String("welcome")) {
        if (!f.Exactly({"lane"})) return std::nullopt;
        Welcome w;
        w.lane = f.Int("lane", 1, kLaneCount - 1);
        if (f.ok) return w;
    } else if (type == QLatin1String("reject")) {
        if (!f.Exactly({"reason"})) return std::nullopt;
        Reject r;
        r.reason = RejectReason(f.Int("reason", 1, 4));
        if (f.ok) return r;
    } else if (type == QLatin1String("lobby")) {
        if (!f.Exactly({"genre", "players"})) return std::nullopt;
        Lobby l;
        l.genre = f.Int("genre", 0, 1);
        QSet<int> lanes;
        for (const QCborValue& pv : f.Array("players", 1, kLaneCount)) {
            const QCborArray p = pv.toArray();
            if (!pv.isArray() || p.size() != 3 || !IntIn(p[0], 0, kLaneCount - 1) || !p[1].isString() ||
                !IsCleanName(p[1].toString()) || !IntIn(p[2], 1, 5) || lanes.contains(int(p[0].toInteger())))
                return std::nullopt;
            lanes.insert(int(p[0].toInteger()));
            l.players.push_back({int(p[0].toInteger()), p[1].toString(), int(p[2].toInteger())});
        }
        if (f.ok) return l;
    } else if (type == QLatin1String("start")) {
        if (!f.Exactly({"race", "seed", "genre", "countdown", "lanes"})) return std::nullopt;
        Start s;
        s.race = f.Int("race", 0, 1000000);
        s.seed = quint32(f.Int("seed", 0, 0xFFFFFF));
        s.genre = f.Int("genre", 0, 1);
        s.countdownMs = f.Int("countdown", 0, 10000);
        const QCborArray lanes = f.Array("lanes", kLaneCount, kLaneCount);
        for (int i = 0; f.ok && i < kLaneCount; ++i) {
            const QCborArray l = lanes[i].toArray();
            if (!lanes[i].isArray() || l.size() != 3 || !IntIn(l[0], 0, 1) || !l[1].isString() ||
                !IsCleanName(l[1].toString()))
                return std::nullopt;
            s.lanes[i].kind = LaneKind(l[0].toInteger());
            s.lanes[i].name = l[1].toString();
            if (!IntIn(l[2], 1, 13) ||
                !IsCharaNo(int(l[2].toInteger()), s.lanes[i].kind == LaneKind::Computer))
                return std::nullopt;
            s.lanes[i].chara = int(l[2].toInteger());
        }
        if (f.ok) return s;
    } else if (type == QLatin1String("progress")) {
        if (!f.Exactly({"race", "correct", "misses"})) return std::nullopt;
        Progress p;
        p.race = f.Int("race", 0, 1000000);
        p.correct = f.Int("correct", 0, kMaxCount);
        p.misses = f.Int("misses", 0, kMaxCount);
        if (f.ok) return p;
    } else if (type == QLatin1String("lanes")) {
        if (!f.Exactly({"race", "x", "state"})) return std::nullopt;
        Lanes l;
        l.race = f.Int("race", 0, 1000000);
        const QCborArray x = f.Array("x", kLaneCount, kLaneCount);
        const QCborArray st = f.Array("state", kLaneCount, kLaneCount);
        for (int i = 0; f.ok && i < kLaneCount; ++i) {
            if (!IntIn(x[i], 0, kMaxTrackX) || !IntIn(st[i], 0, 3)) return std::nullopt;
            l.x[i] = int(x[i].toInteger());
            l.state[i] = LaneState(st[i].toInteger());
        }
        if (f.ok) return l;
    } else if (type == QLatin1String("result")) {
        if (!f.Exactly({"race", "rows"})) return std::nullopt;
        Result r;
        r.race = f.Int("race", 0, 1000000);
        const QCborArray rows = f.Array("rows", kLaneCount, kLaneCount);
        QSet<int> lanes;
        for (int i = 0; f.ok && i < kLaneCount; ++i) {
            const QCborArray row = rows[i].toArray();
            if (!rows[i].isArray() || row.size() != 6 || !IntIn(row[0], 0, kLaneCount - 1) ||
                !IntIn(row[1], 1, kLaneCount) || !IntIn(row[2], 0, 3) || !IntIn(row[3], 0, kMaxCount) ||
                !IntIn(row[4], 0, kMaxCount) || !IntIn(row[5], 0, kMaxRaceMs) ||
                lanes.contains(int(row[0].toInteger())))
                return std::nullopt;
            lanes.insert(int(row[0].toInteger()));
            r.rows[i] = {int(row[0].toInteger()), int(row[1].toInteger()), LaneState(row[2].toInteger()),
                         int(row[3].toInteger()), int(row[4].toInteger()), qint32(row[5].toInteger())};
        }
        if (f.ok) return r;
    } else if (type == QLatin1String("left")) {
        if (!f.Exactly({"lane"})) return std::nullopt;
        Left l;
        l.lane = f.Int("lane", 0, kLaneCount - 1);
        if (f.ok) return l;
    } else if (type == QLatin1String("ping")) {
        if (f.Exactly({})) return Ping{};
    } else if (type == QLatin1String("bye")) {
        if (f.Exactly({})) return Bye{};
    } else if (type == QLatin1String("probe")) {
        if (f.Exactly({})) return Probe{};
    } else if (type == QLatin1String("room")) {
        if (!f.Exactly({"host", "port", "players"})) return std::nullopt;
        Room r;
        r.host = f.Name("host");
        r.port = f.Int("port", 1, 65535);
        r.players = f.Int("players", 1, kLaneCount);
        if (f.ok) return r;
    }
    return std::nullopt;
}

}  // namespace

QByteArray EncodePayload(const Message& m) {
    return std::visit(Encoder{}, m).toCborValue().toCbor();
}

QByteArray EncodeFrame(const Message& m) {
    const QByteArray payload = EncodePayload(m);
    QByteArray frame(4, '\0');
    qToBigEndian<quint32>(quint32(payload.size()), frame.data());
    return frame + payload;
}

std::optional<Message> Decode(const QByteArray& payload, DecodeError* error) {
    if (error) *error = DecodeError::Garbage;
    if (payload.isEmpty() || payload.size() > kMaxPayload) return std::nullopt;
    QCborStreamReader reader(payload);
    // Only a map can be a message; checking the first byte keeps deep nesting of other
    // kinds from being parsed at all.
    if (!reader.isMap()) return std::nullopt;
    const QCborValue value = QCborValue::fromCbor(reader);
    if (reader.lastError() != QCborError::NoError || reader.currentOffset() != payload.size())
        return std::nullopt;
    if (!value.isMap()) return std::nullopt;
    const QCborMap map = value.toMap();
    const QCborValue v = map.value(QStringLiteral("v"));
    if (!v.isInteger() || !map.value(QStringLiteral("t")).isString()) return std::nullopt;
    if (v.toInteger() != kProtocolVersion) {
        if (error) *error = DecodeError::Version;
        return std::nullopt;
    }
    auto m = DecodeMap(map);
    if (m && error) *error = DecodeError::None;
    return m;
}

bool IsCleanName(const QString& name) {
    if (name.isEmpty() || name.size() > kMaxNameLength) return false;
    if (name.trimmed() != name) return false;
    for (const QChar c : name)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format ||
            c.category() == QChar::Other_Surrogate || c.category() == QChar::Other_NotAssigned ||
            c.category() == QChar::Separator_Line || c.category() == QChar::Separator_Paragraph)
            return false;
    return true;
}

QString CleanName(const QString& name) {
    QString out;
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format ||
            c.category() == QChar::Other_Surrogate || c.category() == QChar::Other_NotAssigned ||
            c.category() == QChar::Separator_Line || c.category() == QChar::Separator_Paragraph)
            continue;
        out += c;
    }
    out = out.trimmed().left(kMaxNameLength).trimmed();
    return out.isEmpty() ? QStringLiteral("Player") : out;
}

std::optional<QByteArray> FrameReader::Next() {
    if (m_state == State::Garbage || m_buffer.size() < 4) return std::nullopt;
    const quint32 length = qFromBigEndian<quint32>(m_buffer.constData());
    if (length == 0 || length > quint32(kMaxPayload)) {
        m_state = State::Garbage;
        m_buffer.clear();
        return std::nullopt;
    }
    if (m_buffer.size() < qsizetype(4 + length)) return std::nullopt;
    QByteArray payload = m_buffer.mid(4, length);
    m_buffer.remove(0, 4 + length);
    return payload;
}

}  // namespace kd::net
