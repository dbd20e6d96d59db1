#pragma once
#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QVector>
#include <random>

namespace kd::test {

// One key as the keyboard delivers it: the key, its modifiers and the text it types.
struct StormKey {
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    QString text;
};

// Random keys of every kind a player (or a cat) can produce: printable characters with and
// without Shift, control and navigation keys, Ctrl and Alt chords, bare modifiers, and text
// no ASCII key gives (kana, accented letters, an emoji as a surrogate pair). Esc and
// Backspace, which restart or leave a play screen, come only when asked for.
class KeyStorm {
  public:
    explicit KeyStorm(quint32 seed, bool withRestartAndLeave = false) : m_rng(seed) {
        for (char c = 0x20; c < 0x7F; ++c) {
            const bool upper = c >= 'A' && c <= 'Z';
            const bool shifted = upper || QByteArray("~!@#$%^&*()_+{}|:\"<>?").contains(c);
            const Qt::Key key = upper ? Qt::Key(c) : (c >= 'a' && c <= 'z') ? Qt::Key(c - 32) : Qt::Key(c);
            m_printable << StormKey{key, shifted ? Qt::ShiftModifier : Qt::NoModifier, QString(QChar(c))};
        }
        const struct {
            Qt::Key key;
            Qt::KeyboardModifiers mods;
            const char* text;
        } control[] = {
            {Qt::Key_Tab, Qt::NoModifier, "\t"},       {Qt::Key_Backtab, Qt::ShiftModifier, ""},
            {Qt::Key_Return, Qt::NoModifier, "\r"},    {Qt::Key_Enter, Qt::KeypadModifier, "\r"},
            {Qt::Key_Delete, Qt::NoModifier, "\x7f"},  {Qt::Key_Insert, Qt::NoModifier, ""},
            {Qt::Key_Home, Qt::NoModifier, ""},        {Qt::Key_End, Qt::NoModifier, ""},
            {Qt::Key_PageUp, Qt::NoModifier, ""},      {Qt::Key_PageDown, Qt::NoModifier, ""},
            {Qt::Key_Left, Qt::NoModifier, ""},        {Qt::Key_Right, Qt::NoModifier, ""},
            {Qt::Key_Up, Qt::ShiftModifier, ""},       {Qt::Key_Down, Qt::NoModifier, ""},
            {Qt::Key_Shift, Qt::ShiftModifier, ""},    {Qt::Key_Control, Qt::ControlModifier, ""},
            {Qt::Key_Alt, Qt::AltModifier, ""},        {Qt::Key_Meta, Qt::MetaModifier, ""},
            {Qt::Key_CapsLock, Qt::NoModifier, ""},    {Qt::Key_Menu, Qt::NoModifier, ""},
            {Qt::Key_Print, Qt::NoModifier, ""},       {Qt::Key_Pause, Qt::NoModifier, ""},
            {Qt::Key_Clear, Qt::NoModifier, ""},       {Qt::Key_unknown, Qt::NoModifier, ""},
            {Qt::Key_Space, Qt::ControlModifier, " "}, {Qt::Key_Space, Qt::ShiftModifier, " "},
        };
        for (const auto& k : control) m_control << StormKey{k.key, k.mods, QString::fromLatin1(k.text)};
        for (int f = 0; f < 12; ++f)
            m_control << StormKey{Qt::Key(Qt::Key_F1 + f), Qt::NoModifier, QString()};
        for (int c = 0; c < 26; ++c) {
            const auto key = Qt::Key(Qt::Key_A + c);
            m_control << StormKey{key, Qt::ControlModifier, QString(QChar(c + 1))};
            m_control << StormKey{key, Qt::ControlModifier | Qt::ShiftModifier, QString(QChar(c + 1))};
            m_control << StormKey{key, Qt::AltModifier, QString(QChar('a' + c))};
        }
        for (const char* t : {"あ", "ア", "ｱ", "ﾞ", "ー", "　", "漢", "é", "ß", "€", "😀", "\u200b"})
            m_foreign << StormKey{Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8(t)};
        m_foreign << StormKey{Qt::Key_unknown, Qt::NoModifier, QString(QChar(0))};
        if (withRestartAndLeave) {
            m_leave << StormKey{Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b")};
            m_leave << StormKey{Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b")};
            m_leave << StormKey{Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b")};
            m_leave << StormKey{Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b")};
        }
    }

    // Mostly printable keys, a good share of control keys, now and then foreign text and,
    // rarely, a restart or a leave.
    const StormKey& Next() {
        const int roll = int(m_rng() % 10000);
        if (roll < 6000) return Pick(m_printable);
        if (roll < 9000) return Pick(m_control);
        if (roll < 9990 || m_leave.isEmpty()) return Pick(m_foreign);
        return Pick(m_leave);
    }
    // Uniform in [0, n).
    int Below(int n) { return int(m_rng() % quint32(n)); }

    // A press and a release, delivered to the window as the system would.
    static void Send(QWidget* w, const StormKey& k) {
        QKeyEvent press(QEvent::KeyPress, k.key, k.mods, k.text);
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, k.key, k.mods, k.text);
        QApplication::sendEvent(w, &release);
    }
    static void Send(QWidget* w, QChar c) {
        Send(w, StormKey{Qt::Key(c.toUpper().unicode()), Qt::NoModifier, QString(c)});
    }

  private:
    const StormKey& Pick(const QVector<StormKey>& pool) {
        return pool.at(int(m_rng() % quint32(pool.size())));
    }

    std::mt19937 m_rng;
    QVector<StormKey> m_printable, m_control, m_foreign, m_leave;
};

}  // namespace kd::test
