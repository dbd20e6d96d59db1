#include "classui/ClassDialogs.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "classroom/ClassTask.h"
#include "stats/StatsLook.h"

namespace kd {

namespace {

QLineEdit* Field(const QString& name, const QString& accessible, const QString& placeholder = {}) {
    auto* e = new QLineEdit;
    e->setObjectName(name);
    e->setAccessibleName(accessible);
    e->setPlaceholderText(placeholder);
    e->setMinimumWidth(340);
    return e;
}

}  // namespace

ServerDialog::ServerDialog(QWidget* parent, const QString& title, const QString& secretLabel,
                           const QString& goText)
    : QDialog(parent) {
    setWindowTitle(title);
    setStyleSheet(stats::WindowStyle() +
                  QStringLiteral("QLineEdit { background: rgba(0,0,0,110); color: #ffffff; border: 1px solid "
                                 "rgba(255,255,255,90); border-radius: 3px; padding: 3px; }"));
    auto* layout = new QVBoxLayout(this);
    auto* heading = stats::TitleLabel(title);
    heading->setStyleSheet(
        QStringLiteral("color: #ffd740; font-size: 22px; font-weight: bold; font-style: italic;"));
    layout->addWidget(heading);
    auto* form = new QFormLayout;
    server = Field(QStringLiteral("server"), QCoreApplication::translate("ClassDialogs", "サーバー"),
                   QCoreApplication::translate("ClassDialogs", "例: school-server または 192.168.1.10:5432"));
    classCode =
        Field(QStringLiteral("classCode"), QCoreApplication::translate("ClassDialogs", "クラスコード"),
              QStringLiteral("XXXX-XXXX"));
    name = Field(QStringLiteral("name"), QCoreApplication::translate("ClassDialogs", "名前"));
    secret = Field(QStringLiteral("secret"), secretLabel);
    form->addRow(QCoreApplication::translate("ClassDialogs", "サーバー"), server);
    form->addRow(QCoreApplication::translate("ClassDialogs", "クラスコード"), classCode);
    form->addRow(QCoreApplication::translate("ClassDialogs", "名前"), name);
    form->addRow(secretLabel, secret);
    layout->addLayout(form);
    problem = new QLabel;
    problem->setObjectName(QStringLiteral("problem"));
    problem->setWordWrap(true);
    problem->setStyleSheet(QStringLiteral("color: #ffff00;"));
    layout->addWidget(problem);
    goButton = new QPushButton(goText);
    goButton->setObjectName(QStringLiteral("goButton"));
    goButton->setDefault(true);
    auto* cancel = new QPushButton(QCoreApplication::translate("ClassDialogs", "キャンセル"));
    cancel->setObjectName(QStringLiteral("cancelButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(goButton);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool ServerDialog::Idle() const {
    return goButton->isEnabled();
}

std::optional<ServerAddress> ServerDialog::Address() {
    const auto a = ParseServer(server->text());
    if (!a)
        Problem(QCoreApplication::translate(
            "ClassDialogs",
            "サーバーは「名前」か「名前:ポート」で入れてください（例: school-server:5432）。"));
    return a;
}

void ServerDialog::Busy(bool busy) {
    goButton->setEnabled(!busy);
    if (busy) problem->setText(QCoreApplication::translate("ClassDialogs", "サーバーに問い合わせています…"));
}

void ServerDialog::Problem(const QString& text) {
    problem->setText(text);
}

void ServerDialog::paintEvent(QPaintEvent*) {
    stats::PaintWindowBackground(this);
}

JoinClassDialog::JoinClassDialog(const QString& playerName, Keep keep, QWidget* parent)
    : ServerDialog(parent, QCoreApplication::translate("ClassDialogs", "クラスに参加"),
                   QCoreApplication::translate("ClassDialogs", "参加コード"),
                   QCoreApplication::translate("ClassDialogs", "参加")),
      keep_(std::move(keep)) {
    setObjectName(QStringLiteral("JoinClassDialog"));
    secret->setObjectName(QStringLiteral("joinCode"));
    goButton->setObjectName(QStringLiteral("joinButton"));
    name->setText(playerName);
    connect(goButton, &QPushButton::clicked, this, &JoinClassDialog::Join);
}

QString JoinClassDialog::Outcome() const {
    return problem->text();
}

void JoinClassDialog::Join() {
    const auto address = Address();
    if (!address) return;
    Busy(true);
    RunOnServer(this, *address,
                [code = classCode->text(), n = name->text().trimmed(), join = secret->text(),
                 this](ClassServer& s) -> std::function<void()> {
                    const auto m = s.Join(code, n, join);
                    return [this, m, error = s.Error()] {
                        Busy(false);
                        if (!m)
                            Problem(error.Message());
                        else if (!keep_(*m))
                            Problem(QCoreApplication::translate(
                                "ClassDialogs", "学習記録に書き込めないため、参加を記録できませんでした。"));
                        else {
                            Problem(QCoreApplication::translate(
                                        "ClassDialogs",
                                        "「%1」に参加しました。これからのゲームの結果がクラスに送られます。")
                                        .arg(m->className));
                            secret->clear();
                            accept();
                        }
                        emit Answered();
                    };
                });
}

TeacherLoginDialog::TeacherLoginDialog(Opened opened, QWidget* parent)
    : ServerDialog(parent, QCoreApplication::translate("ClassDialogs", "クラスの成績"),
                   QCoreApplication::translate("ClassDialogs", "パスワード"),
                   QCoreApplication::translate("ClassDialogs", "ログイン")),
      opened_(std::move(opened)) {
    setObjectName(QStringLiteral("TeacherLoginDialog"));
    secret->setObjectName(QStringLiteral("password"));
    secret->setEchoMode(QLineEdit::Password);
    goButton->setObjectName(QStringLiteral("loginButton"));
    connect(goButton, &QPushButton::clicked, this, &TeacherLoginDialog::LogIn);
}

void TeacherLoginDialog::LogIn() {
    const auto address = Address();
    if (!address) return;
    const TeacherLogin login{*address, classCode->text(), name->text().trimmed(), secret->text()};
    Busy(true);
    RunOnServer(this, *address, [login, this](ClassServer& s) -> std::function<void()> {
        const auto view = s.LoadClassView(login);
        return [this, login, view, error = s.Error()] {
            Busy(false);
            if (!view) {
                Problem(error.Message());
            } else {
                secret->clear();
                opened_(login, *view);
                accept();
            }
            emit Answered();
        };
    });
}

}  // namespace kd
