#include "derby/PowerMeter.h"

#include <QCoreApplication>

#include "common/DerbyRun.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"

namespace kd {

PowerMeter::PowerMeter(QWidget* form, const QRect& frame, const QRect& bar) {
    MakeOutline(form, QStringLiteral("powerOutline"), frame, kGrey);

    powerCaption = MakeLabel(form, QStringLiteral("powerCaption"),
                             QCoreApplication::translate("PowerMeter", "パワー："), 9, 15);
    SetPixelFont(powerCaption, 18, true);
    powerCaption->adjustSize();
    powerValue =
        MakeLabel(form, QStringLiteral("powerValue"), QStringLiteral("100"), 9, 42, frame.width() - 12, 28);
    SetPixelFont(powerValue, 24, true);

    powerBar = new QProgressBar(form);
    powerBar->setObjectName(QStringLiteral("powerBar"));
    powerBar->setGeometry(bar);
    powerBar->setRange(0, PlayerPower::kFull);
    powerBar->setTextVisible(false);
    powerValue->setAccessibleDescription(QCoreApplication::translate("PowerMeter", "パワー"));
    powerBar->setAccessibleName(QCoreApplication::translate("PowerMeter", "パワー"));
    SetLabelColor(kGreen);
    Show(PlayerPower());
}

void PowerMeter::Show(const PlayerPower& power) {
    if (power.Low() != m_red) {
        m_red = power.Low();
        SetLabelColor(m_red ? kRed : kGreen);
    }
    powerValue->setText(QString::number(power.Left()));
    powerBar->setValue(power.Left());
}

void PowerMeter::SetLabelColor(const QColor& color) {
    SetForeColor(powerCaption, color);
    SetForeColor(powerValue, color);
}

}  // namespace kd
