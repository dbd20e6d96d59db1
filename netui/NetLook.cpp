#include "netui/NetLook.h"

#include <QCoreApplication>

#include "common/Roster.h"
#include "derby/CharacterSelectScreen.h"
#include "net/RoomFinder.h"
#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"

namespace kd {

void StyleNote(QLabel* label, int pixelSize) {
    SetPixelFont(label, pixelSize);
    SetForeColor(label, Qt::white);
    label->setMargin(4);
    // Names come from the network: never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setStyleSheet(QStringLiteral("background-color: rgba(0, 0, 0, 150); border-radius: 4px;"));
}

QString CharaName(int chara) {
    return PlayableCharacterOf(chara).name;
}

CharaPicker::CharaPicker(QWidget* parent, int x, int y) : QWidget(parent) {
    setObjectName(QStringLiteral("CharaPicker"));
    setGeometry(x, y, 441, 100);
    for (int i = 0; i < 5; ++i) {
        characterTiles[i] = new CharaTile(this, QStringLiteral("characterTile%1").arg(i), 87 * i, 0,
                                          [this, i] { Choose(i + 1); });
        characterTiles[i]->DrawPixmap(CharaBitmap(i + 1), 3, 3);
        characterTiles[i]->setAccessibleName(PlayableCast()[i].name);
    }
    characterSummary = MakeLabel(this, QStringLiteral("characterSummary"), QString(), 0, 74, 435, 24);
    StyleNote(characterSummary);
    Choose(1);
}

void CharaPicker::Choose(int chara) {
    m_chosen = qBound(1, chara, 5);
    for (int i = 0; i < 5; ++i) {
        characterTiles[i]->SetChosen(i + 1 == m_chosen);
        characterTiles[i]->ClearToBackground();
        characterTiles[i]->DrawPixmap(CharaBitmap(i + 1), 3, 3);
    }
    const PlayableCharacter& c = PlayableCharacterOf(m_chosen);
    characterSummary->setText(QCoreApplication::translate("NetLook", "%1　瞬発力 %2　忍耐力 %3")
                                  .arg(c.name)
                                  .arg(c.step * 10)
                                  .arg(double(EnduranceOf(c.missCost))));
    if (onChosen) onChosen(m_chosen);
}

PlayerLines::PlayerLines(QWidget* parent, int x, int y, int width) {
    for (int i = 0; i < net::kLaneCount; ++i) {
        playerTexts[i] =
            MakeLabel(parent, QStringLiteral("playerText%1").arg(i), QString(), x, y + 26 * i, width, 24);
        StyleNote(playerTexts[i], 15);
    }
}

void PlayerLines::Show(const net::Lobby& lobby, int localLane) {
    for (int lane = 0; lane < net::kLaneCount; ++lane) {
        QString text = QCoreApplication::translate("NetLook", "%1  コンピューター").arg(lane + 1);
        QColor color(170, 170, 170);
        for (const net::LobbyPlayer& p : lobby.players) {
            if (p.lane != lane) continue;
            text = QCoreApplication::translate("NetLook", "%1  %2（%3）")
                       .arg(lane + 1)
                       .arg(p.name, CharaName(p.chara));
            if (lane == 0) text += QCoreApplication::translate("NetLook", "　ホスト");
            color = lane == localLane ? kYellow : kWhite;
        }
        playerTexts[lane]->setText(text);
        SetForeColor(playerTexts[lane], color);
        playerTexts[lane]->setAccessibleName(text);
    }
}

QString NoNetworkNote() {
    if (!net::LanAddresses().isEmpty()) return QString();
    return QCoreApplication::translate(
        "NetLook",
        "ネットワークが見つかりません。このコンピューターの中だけで対戦できます"
        "（アドレス 127.0.0.1）。");
}

}  // namespace kd
