#include "net/Session.h"

#include <QCoreApplication>

#include "net/Link.h"

namespace kd::net {

Session::Session(TickCounter& clock, bool autoPoll, QObject* parent)
    : QObject(parent), m_clock(clock), m_autoPoll(autoPoll) {
    m_soonTimer.setSingleShot(true);
    m_soonTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_soonTimer, &QTimer::timeout, this, [this] { Poll(); });
    if (autoPoll) {
        m_pollTimer.setInterval(kPollEveryMs);
        m_pollTimer.setTimerType(Qt::PreciseTimer);
        connect(&m_pollTimer, &QTimer::timeout, this, [this] { Poll(); });
        m_pollTimer.start();
    }
}

void Session::PollIn(qint32 ms) {
    if (!m_autoPoll || m_phase == Phase::Closed) return;
    if (m_soonTimer.isActive() && m_soonTimer.remainingTime() <= ms) return;
    m_soonTimer.start(qMax(0, ms));
}

void Session::CloseWith(const QString& why) {
    if (m_phase == Phase::Closed) return;
    m_phase = Phase::Closed;
    m_closedReason = why;
    m_pollTimer.stop();
    m_soonTimer.stop();
    emit closed(why);
}

QString DropText(int reason) {
    switch (DropReason(reason)) {
        case DropReason::Garbage:
            return QCoreApplication::translate("Session", "読めないデータを送ってきたため切断しました");
        case DropReason::Flood:
            return QCoreApplication::translate("Session", "データを送りすぎたため切断しました");
        case DropReason::Stall:
            return QCoreApplication::translate("Session", "応答がないため切断しました");
        case DropReason::Version:
            return QCoreApplication::translate("Session", "ゲームのバージョンが違います");
        case DropReason::Bye:
            return QCoreApplication::translate("Session", "退出しました");
        case DropReason::Closed:
        case DropReason::None:
            break;
    }
    return QCoreApplication::translate("Session", "接続が切れました");
}

}  // namespace kd::net
