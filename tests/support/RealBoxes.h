#pragma once
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <utility>

namespace kd::test {

// Answers the real message boxes (QMessageBox::exec) as a player would, from inside their
// own event loop: No to a yes/no question, OK to anything else. Keeps what each one said.
class RealBoxes {
  public:
    RealBoxes() {
        poll_.setInterval(1);
        QObject::connect(&poll_, &QTimer::timeout, [this] { Look(); });
        poll_.start();
    }

    QStringList said;
    // Runs once while the next box is up, before it is answered.
    std::function<void()> whileShown;

    bool Said(const QString& part) const {
        for (const QString& s : said)
            if (s.contains(part)) return true;
        return false;
    }
    int Count(const QString& part) const {
        int n = 0;
        for (const QString& s : said) n += s.contains(part) ? 1 : 0;
        return n;
    }

  private:
    void Look() {
        QPointer<QMessageBox> box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || box == last_) return;
        last_ = box;
        said << box->text();
        if (whileShown) std::exchange(whileShown, nullptr)();
        if (!box) return;  // went with its window
        QAbstractButton* answer = box->button(QMessageBox::No);
        if (!answer) answer = box->button(QMessageBox::Ok);
        if (answer) answer->click();
    }

    QTimer poll_;
    QPointer<QMessageBox> last_;
};

}  // namespace kd::test
