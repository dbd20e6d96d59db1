#include "derby/PowerMeter.h"

#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"

namespace kd {

namespace {
constexpr qint16 kRedBelow = 31;
}  // namespace

PowerMeter::PowerMeter(QWidget* form, const QRect& frame, const QRect& bar) {
    MakeOutline(form, QStringLiteral("powerOutline"), frame, kGrey);

    powerCaption = MakeLabel(form, QStringLiteral("powerCaption"), QStringLiteral("パワー："), 9, 15);
    SetPixelFont(powerCaption, 18, true);
    powerCaption->adjustSize();
    powerValue =
        MakeLabel(form, QStringLiteral("powerValue"), QStringLiteral("100"), 9, 42, frame.width() - 12, 28);
    SetPixelFont(powerValue, 24, true);

    powerBar = new QProgressBar(form);
    powerBar->setObjectName(QStringLiteral("powerBar"));
    powerBar->setGeometry(bar);
    powerBar->setRange(0, 100);
    powerBar->setTextVisible(false);
    Reset();
}

void PowerMeter::Reset() {
    m_power = 100;
    m_red = false;
    SetLabelColor(kGreen);
    powerValue->setText(QStringLiteral("100"));
    powerBar->setValue(100);
}

bool PowerMeter::Miss(qint16 missCost) {
    m_power = qint16(m_power - missCost);
    if (m_power <= 0) {
        powerValue->setText(QStringLiteral("0"));
        powerBar->setValue(0);
        return true;
    }
    if (m_power < kRedBelow && !m_red) {
        m_red = true;
        SetLabelColor(kRed);
    }
    powerValue->setText(QString::number(m_power));
    powerBar->setValue(m_power);
    return false;
}

void PowerMeter::SetLabelColor(const QColor& color) {
    SetForeColor(powerCaption, color);
    SetForeColor(powerValue, color);
}

}  // namespace kd
