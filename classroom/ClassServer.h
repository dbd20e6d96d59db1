#pragma once
#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QSqlDatabase>
#include <QString>
#include <optional>

#include "learning/ClassOutbox.h"

namespace kd {

// "host", "host:port" or "host:port/database" as typed into the join dialog.
struct ServerAddress {
    QString host;
    int port = 5432;
    QString database = QStringLiteral("keyderby");
    QString Text() const;
};
std::optional<ServerAddress> ParseServer(const QString& text);

// What the player keeps instead of the join code: sha256("kd-join:" CODE ":" JOINCODE) in hex,
// the class code and join code in capitals without spaces. The server knows only its hash.
QString DeriveJoinToken(const QString& classCode, const QString& joinCode);
// "ab12 cd34" -> "AB12-CD34"; empty when it is not a code.
QString NormalizeCode(const QString& text);

enum class ClassFailure {
    None,
    Unreachable,    // no server, no network, or the connection broke
    WrongClass,     // no class with that code
    NotRecognised,  // name and join code, student id and token, or teacher login refused
    BadName,        // control or SQL characters, or too long
    TooLarge,       // the server refused the size of a sending
    Other,
};

struct ClassError {
    ClassFailure kind = ClassFailure::None;
    QString detail;  // the server's own words, for the log
    // For the player, in their language.
    QString Message() const;
};

struct RankRow {
    int place = 0;
    QString name;
    double bestKps = 0;
    int bestTimeMs = 0;
    int games = 0;
    bool mine = false;
};

struct TeacherLogin {
    ServerAddress server;
    QString classCode;
    QString name;
    QString password;
};

struct StudentGame {
    QDateTime playedAt;
    int mode = 0;
    QString genre;
    int keys = 0;
    int misses = 0;
    int timeMs = 0;
    double kps = 0;
    QString grade;
    bool abandoned = false;
};

struct StudentSummary {
    int id = 0;
    QString name;
    int games = 0;
    double bestKps = 0;
    int bestTimeMs = 0;  // fastest time trial, 0 none
    QDateTime lastPlayed;
    QList<StudentGame> history;  // oldest first
};

struct KeyTally {
    qint64 hits = 0;
    qint64 misses = 0;
};

// Everything the teacher's window shows of one class.
struct ClassView {
    QList<StudentSummary> students;
    QMap<QString, KeyTally> keys;
    QMap<QString, KeyTally> kana;
};

// One connection to the class server, used on the thread that made it. Every call says by its
// result whether it worked; Error() tells why not. Refusals come from the server itself: the
// login the game uses may only call the functions that check the student's token or the
// teacher's password.
class ClassServer {
    Q_DECLARE_TR_FUNCTIONS(ClassServer)

  public:
    explicit ClassServer(const ServerAddress& address);
    ~ClassServer();
    ClassServer(const ClassServer&) = delete;
    ClassServer& operator=(const ClassServer&) = delete;

    const ClassError& Error() const { return error_; }
    void Disconnect();

    // Checks the join code and gives the membership to keep (with the token, never the code).
    std::optional<ClassMembership> Join(const QString& classCode, const QString& name,
                                        const QString& joinCode);
    // Sends a JSON array of games; the number the server did not have yet.
    std::optional<int> Submit(int studentId, const QString& token, const QByteArray& games);
    std::optional<QList<RankRow>> Ranking(const ClassMembership& m, int mode, const QString& genre);

    std::optional<ClassView> LoadClassView(const TeacherLogin& login);
    std::optional<QList<RankRow>> TeacherRanking(const TeacherLogin& login, int mode, const QString& genre);
    bool RemoveStudent(const TeacherLogin& login, int studentId);

    // The game's login on the server (it may only call the game's functions).
    static constexpr const char* kLogin = "keyderby_client";
    static constexpr const char* kLoginPassword = "keyderby";

  private:
    bool Open();
    // Runs a prepared call; false (with Error set) when it failed.
    bool Run(QSqlQuery& q);
    void Fail(ClassFailure kind, const QString& detail);

    ServerAddress address_;
    QString connection_;
    ClassError error_;
    bool broken_ = false;
};

}  // namespace kd
