#include "classroom/ClassServer.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

namespace kd {

QString ServerAddress::Text() const {
    QString t = host;
    if (port != 5432 || database != QLatin1String("keyderby")) t += u':' + QString::number(port);
    if (database != QLatin1String("keyderby")) t += u'/' + database;
    return t;
}

std::optional<ServerAddress> ParseServer(const QString& text) {
    static const QRegularExpression form(QStringLiteral(
        R"(^\s*([A-Za-z0-9.\-]+|\[[0-9A-Fa-f:]+\])(?::(\d{1,5}))?(?:/([A-Za-z0-9_]{1,63}))?\s*$)"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch()) return std::nullopt;
    ServerAddress a;
    a.host = m.captured(1);
    if (a.host.startsWith(u'[')) a.host = a.host.mid(1, a.host.size() - 2);
    if (m.hasCaptured(2)) a.port = m.captured(2).toInt();
    if (a.port < 1 || a.port > 65535) return std::nullopt;
    if (m.hasCaptured(3)) a.database = m.captured(3);
    return a;
}

QString NormalizeCode(const QString& text) {
    QString plain;
    for (const QChar c : text)
        if (c.isLetterOrNumber()) plain += c.toUpper();
    if (plain.size() != 8) return {};
    for (const QChar c : plain)
        if (c.unicode() > 127) return {};
    return plain.left(4) + u'-' + plain.mid(4);
}

QString DeriveJoinToken(const QString& classCode, const QString& joinCode) {
    const QByteArray text =
        "kd-join:" + NormalizeCode(classCode).toUtf8() + ':' + NormalizeCode(joinCode).toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(text, QCryptographicHash::Sha256).toHex());
}

QString ClassError::Message() const {
    switch (kind) {
        case ClassFailure::None:
            return {};
        case ClassFailure::Unreachable:
            return QCoreApplication::translate("ClassServer",
                                               "クラスのサーバーにつながりません。あとでもう一度送ります。");
        case ClassFailure::WrongClass:
            return QCoreApplication::translate("ClassServer", "クラスコードが違います。");
        case ClassFailure::NotRecognised:
            return QCoreApplication::translate("ClassServer",
                                               "名前かコード（参加コード・パスワード）が違います。");
        case ClassFailure::BadName:
            return QCoreApplication::translate(
                "ClassServer",
                "名前に使えない文字があります（制御文字や ' \" ; \\ < > ` --、41 文字以上）。");
        case ClassFailure::TooLarge:
            return QCoreApplication::translate("ClassServer", "送る記録が大きすぎます。");
        case ClassFailure::Other:
            break;
    }
    return QCoreApplication::translate("ClassServer", "クラスのサーバーが受け付けませんでした。");
}

ClassServer::ClassServer(const ServerAddress& address)
    : address_(address), connection_(QStringLiteral("class-") + QUuid::createUuid().toString(QUuid::Id128)) {}

ClassServer::~ClassServer() {
    Disconnect();
}

void ClassServer::Disconnect() {
    if (!QSqlDatabase::contains(connection_)) return;
    QSqlDatabase::database(connection_, false).close();
    QSqlDatabase::removeDatabase(connection_);
}

void ClassServer::Fail(ClassFailure kind, const QString& detail) {
    error_ = {kind, detail};
    // Closed on the next call, when no query of this one holds the connection any more.
    if (kind == ClassFailure::Unreachable) broken_ = true;
}

bool ClassServer::Open() {
    error_ = {};
    if (broken_) Disconnect();
    broken_ = false;
    if (QSqlDatabase::contains(connection_)) {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        if (db.isOpen()) return true;
        QSqlDatabase::removeDatabase(connection_);
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection_);
    db.setHostName(address_.host);
    db.setPort(address_.port);
    db.setDatabaseName(address_.database);
    db.setUserName(QString::fromLatin1(kLogin));
    db.setPassword(QString::fromLatin1(kLoginPassword));
    // TLS whenever the server offers it (PGSSLMODE=require on the machine insists on it); a
    // server that is gone is noticed in seconds, not minutes.
    QString options = QStringLiteral("connect_timeout=3;application_name=keyderby");
    if (qEnvironmentVariableIsEmpty("PGSSLMODE")) options += QStringLiteral(";sslmode=prefer");
    db.setConnectOptions(options);
    if (!db.open()) {
        Fail(ClassFailure::Unreachable, db.lastError().text());
        return false;
    }
    return true;
}

bool ClassServer::Run(QSqlQuery& q) {
    if (q.exec()) return true;
    const QSqlError e = q.lastError();
    const QString state = e.nativeErrorCode();
    if (state == QLatin1String("KD404"))
        Fail(ClassFailure::WrongClass, e.databaseText());
    else if (state == QLatin1String("KD403"))
        Fail(ClassFailure::NotRecognised, e.databaseText());
    else if (state == QLatin1String("KD400") || state.startsWith(QLatin1String("22")) ||
             state.startsWith(QLatin1String("23")))
        Fail(state == QLatin1String("KD400") ? ClassFailure::BadName : ClassFailure::Other, e.databaseText());
    else if (state == QLatin1String("KD413") || state == QLatin1String("54000"))
        Fail(ClassFailure::TooLarge, e.databaseText());
    else if (state == QLatin1String("42501"))
        Fail(ClassFailure::NotRecognised, e.databaseText());
    else
        Fail(ClassFailure::Unreachable, e.text());  // the connection broke or the server stopped
    return false;
}

std::optional<ClassMembership> ClassServer::Join(const QString& classCode, const QString& name,
                                                 const QString& joinCode) {
    const QString code = NormalizeCode(classCode);
    if (code.isEmpty())
        return Fail(ClassFailure::WrongClass, QStringLiteral("not a class code")), std::nullopt;
    if (NormalizeCode(joinCode).isEmpty())
        return Fail(ClassFailure::NotRecognised, QStringLiteral("not a join code")), std::nullopt;
    if (!Open()) return std::nullopt;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral("SELECT student_id, class_name FROM keyderby.join_class(?, ?, ?)"));
    q.addBindValue(code);
    q.addBindValue(name);
    const QString token = DeriveJoinToken(code, joinCode);
    q.addBindValue(token);
    if (!Run(q) || !q.next()) return std::nullopt;
    ClassMembership m;
    m.server = address_.Text();
    m.classCode = code;
    m.className = q.value(1).toString();
    m.studentName = name;
    m.studentId = q.value(0).toInt();
    m.token = token;
    return m;
}

std::optional<int> ClassServer::Submit(int studentId, const QString& token, const QByteArray& games) {
    if (!Open()) return std::nullopt;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral("SELECT keyderby.submit_games(?, ?, ?::jsonb)"));
    q.addBindValue(studentId);
    q.addBindValue(token);
    q.addBindValue(QString::fromUtf8(games));
    if (!Run(q) || !q.next()) return std::nullopt;
    return q.value(0).toInt();
}

namespace {

QList<RankRow> RankRows(QSqlQuery& q, bool withMine) {
    QList<RankRow> rows;
    while (q.next())
        rows.append({q.value(0).toInt(), q.value(1).toString(), q.value(2).toDouble(), q.value(3).toInt(),
                     q.value(4).toInt(), withMine && q.value(5).toBool()});
    return rows;
}

// Times come as milliseconds since the epoch: Qt reads a number much faster than a timestamp.
QDateTime MsTime(const QVariant& v) {
    return v.isNull() ? QDateTime() : QDateTime::fromMSecsSinceEpoch(v.toLongLong(), Qt::UTC);
}

void BindLogin(QSqlQuery& q, const TeacherLogin& login) {
    q.addBindValue(NormalizeCode(login.classCode));
    q.addBindValue(login.name);
    q.addBindValue(login.password);
}

}  // namespace

std::optional<QList<RankRow>> ClassServer::Ranking(const ClassMembership& m, int mode, const QString& genre) {
    if (!Open()) return std::nullopt;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT * FROM keyderby.ranking(?, ?, ?, ?, ?)"));
    q.addBindValue(m.studentId);
    q.addBindValue(m.token);
    q.addBindValue(m.classCode);
    q.addBindValue(mode);
    q.addBindValue(genre);
    if (!Run(q)) return std::nullopt;
    return RankRows(q, true);
}

std::optional<QList<RankRow>> ClassServer::TeacherRanking(const TeacherLogin& login, int mode,
                                                          const QString& genre) {
    if (!Open()) return std::nullopt;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT * FROM keyderby.teacher_ranking(?, ?, ?, ?, ?)"));
    BindLogin(q, login);
    q.addBindValue(mode);
    q.addBindValue(genre);
    if (!Run(q)) return std::nullopt;
    return RankRows(q, false);
}

std::optional<ClassView> ClassServer::LoadClassView(const TeacherLogin& login) {
    if (!Open()) return std::nullopt;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    ClassView view;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT * FROM keyderby.teacher_students(?, ?, ?)"));
    BindLogin(q, login);
    if (!Run(q)) return std::nullopt;
    QHash<int, qsizetype> index;
    while (q.next()) {
        index.insert(q.value(0).toInt(), view.students.size());
        view.students.append({q.value(0).toInt(),
                              q.value(1).toString(),
                              q.value(2).toInt(),
                              q.value(3).toDouble(),
                              q.value(4).toInt(),
                              MsTime(q.value(5)),
                              {}});
    }
    q.prepare(QStringLiteral("SELECT * FROM keyderby.teacher_games(?, ?, ?)"));
    BindLogin(q, login);
    if (!Run(q)) return std::nullopt;
    while (q.next()) {
        const auto at = index.constFind(q.value(0).toInt());
        if (at == index.cend()) continue;  // a student added since the first query
        view.students[*at].history.append({MsTime(q.value(1)), q.value(2).toInt(), q.value(3).toString(),
                                           q.value(4).toInt(), q.value(5).toInt(), q.value(6).toInt(),
                                           q.value(7).toDouble(), q.value(8).toString(),
                                           q.value(9).toBool()});
    }
    q.prepare(QStringLiteral("SELECT * FROM keyderby.teacher_keys(?, ?, ?)"));
    BindLogin(q, login);
    if (!Run(q)) return std::nullopt;
    while (q.next()) {
        QMap<QString, KeyTally>& into = q.value(0).toString() == QLatin1String("k") ? view.keys : view.kana;
        into.insert(q.value(1).toString(), {q.value(2).toLongLong(), q.value(3).toLongLong()});
    }
    return view;
}

bool ClassServer::RemoveStudent(const TeacherLogin& login, int studentId) {
    if (!Open()) return false;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral("SELECT keyderby.remove_student(?, ?, ?, ?)"));
    BindLogin(q, login);
    q.addBindValue(studentId);
    if (!Run(q) || !q.next()) return false;
    if (!q.value(0).toBool())
        Fail(ClassFailure::NotRecognised, QStringLiteral("no such student in the class"));
    return q.value(0).toBool();
}

}  // namespace kd
