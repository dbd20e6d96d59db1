#pragma once
#include <QList>
#include <QString>
#include <functional>

class QWidget;

namespace kd {

enum class MsgButtons { OK, OKCancel, YesNo };
enum class MsgAnswer { OK, Cancel, Yes, No };

// Modal message boxes with a title, a text and OK, OK/Cancel or Yes/No.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual MsgAnswer Show(QWidget* parent, const QString& title, const QString& text,
                           MsgButtons buttons) = 0;
};

class QtMessageBoxes : public MessageBoxes {
  public:
    MsgAnswer Show(QWidget* parent, const QString& title, const QString& text, MsgButtons buttons) override;
};

// Test double: answers from a script (OK or Yes once it runs out) and records each question.
class ScriptedMessageBoxes : public MessageBoxes {
  public:
    struct Asked {
        QString title, text;
        MsgButtons buttons;
    };
    MsgAnswer Show(QWidget* parent, const QString& title, const QString& text, MsgButtons buttons) override;
    void Answer(MsgAnswer a) { script << a; }
    QList<MsgAnswer> script;
    QList<Asked> asked;
    // Runs once while the next box is up, as the event loop would run a timer or the player
    // close a window behind it.
    std::function<void()> whileShown;
};

}  // namespace kd
