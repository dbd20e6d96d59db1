#pragma once
#include <QDialog>
#include <functional>

#include "classroom/ClassServer.h"

class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kd {

// The rows both dialogs share: サーバー and クラスコード, then their own two, a line for what
// went wrong and the one button that asks the server.
class ServerDialog : public QDialog {
    Q_OBJECT
  public:
    QLineEdit* server = nullptr;
    QLineEdit* classCode = nullptr;
    QLineEdit* name = nullptr;
    QLineEdit* secret = nullptr;
    QPushButton* goButton = nullptr;
    QLabel* problem = nullptr;
    // False while an answer is awaited.
    bool Idle() const;

  signals:
    void Answered();

  protected:
    ServerDialog(QWidget* parent, const QString& title, const QString& secretLabel, const QString& goText);
    // The address typed, or nullopt with the problem shown.
    std::optional<ServerAddress> Address();
    void Busy(bool busy);
    void Problem(const QString& text);
    void paintEvent(QPaintEvent* event) override;
};

// ファイル → クラスに参加: the server, the class code, the student's name and the join code the
// teacher handed out. The membership goes to `keep` (the player's learning record); the join
// code itself is never kept.
class JoinClassDialog : public ServerDialog {
    Q_OBJECT
  public:
    using Keep = std::function<bool(const ClassMembership&)>;
    JoinClassDialog(const QString& playerName, Keep keep, QWidget* parent = nullptr);
    // What the dialog said last (joined, or why not).
    QString Outcome() const;

  private:
    void Join();
    Keep keep_;
};

// ファイル → クラスの成績: the teacher's login. A login the server accepts goes to `opened`
// with the class's figures.
class TeacherLoginDialog : public ServerDialog {
    Q_OBJECT
  public:
    using Opened = std::function<void(const TeacherLogin&, const ClassView&)>;
    explicit TeacherLoginDialog(Opened opened, QWidget* parent = nullptr);

  private:
    void LogIn();
    Opened opened_;
};

}  // namespace kd
