#include "derby/PowerMeter.h"

#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"

namespace kd {

namespace {
constexpr qint16 kRedBelow = 31;
}  // namespace

PowerMeter::PowerMeter(QWidget* form, const QRect& frame, const QRect& bar) {
    MakeOutline(form, QStringLiteral("Shape2"), frame, kGrey);

    lblPowerLabel = MakeLabel(form, QStringLiteral("lblPowerLabel"), QStringLiteral("パワー："), 9, 15);
    SetPixelFont(lblPowerLabel, 18, true);
    lblPowerLabel->adjustSize();
    lblPower =
        MakeLabel(form, QStringLiteral("lblPower"), QStringLiteral("100"), 9, 42, frame.width() - 12, 28);
    SetPixelFont(lblPower, 24, true);

    pgbPower = new QProgressBar(form);
    pgbPower->setObjectName(QStringLiteral("pgbPower"));
    pgbPower->setGeometry(bar);
    pgbPower->setRange(0, 100);
    pgbPower->setTextVisible(false);
    Reset();
}

void PowerMeter::Reset() {
    m_power = 100;
    m_red = false;
    SetLabelColor(kGreen);
    lblPower->setText(QStringLiteral("100"));
    pgbPower->setValue(100);
}

bool PowerMeter::Miss(qint16 missCost) {
    m_power = qint16(m_power - missCost);
    if (m_power <= 0) {
        lblPower->setText(QStringLiteral("0"));
        pgbPower->setValue(0);
        return true;
    }
    if (m_power < kRedBelow && !m_red) {
        m_red = true;
        SetLabelColor(kRed);
    }
    lblPower->setText(QString::number(m_power));
    pgbPower->setValue(m_power);
    return false;
}

void PowerMeter::SetLabelColor(const QColor& color) {
    SetForeColor(lblPowerLabel, color);
    SetForeColor(lblPower, color);
}

}  // namespace kd
