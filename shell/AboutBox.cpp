#include "shell/AboutBox.h"

#include <QLabel>
#include <QPushButton>

#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/ShellLook.h"
#include "questions/StringTable.h"

namespace kd {

namespace {
constexpr int kAboutWidth = 320;
constexpr int kAboutHeight = 210;
// 45 twips at 96 dots per inch.
constexpr int kShadowOffset = 3;
}  // namespace

AboutBox::AboutBox(AppContext& ctx_, QWidget* owner) : ScreenBase(ctx_, Screen::Version, owner) {
    appIcon = MakeLabel(this, QStringLiteral("appIcon"), QString(), 20, 20, 48, 48);
    appIcon->setPixmap(ScaledBitmap(QStringLiteral("ICON"), 48, 48, Qt::KeepAspectRatio));

    for (int i = 0; i < 4; ++i) {
        const bool title = i < 2;
        headingTexts[i] = MakeLabel(this, QStringLiteral("headingText%1").arg(i),
                                    title ? AppTitle() : kVersionText, 0, 0, 220, title ? 44 : 24);
    }
    StyleTitle(headingTexts[1], headingTexts[0], 32, QPoint(84, 14), kShadowOffset);
    StyleTitle(headingTexts[2], headingTexts[3], 16, QPoint(84, 58), kShadowOffset);
    SetForeColor(headingTexts[2], kWhite);

    presentedByText =
        MakeLabel(this, QStringLiteral("presentedByText"), QStringLiteral("Presented by"), 84, 98, 220, 20);
    authorText =
        MakeLabel(this, QStringLiteral("authorText"), QStringLiteral("The Quiet Lantern"), 100, 118, 204, 22);
    sinceText = MakeLabel(this, QStringLiteral("sinceText"), QStringLiteral("Since 1998"), 84, 144, 220, 20);
    SetPixelFont(authorText, 16, true);
    for (QLabel* l : {authorText, presentedByText, sinceText}) SetForeColor(l, kWhite);

    okButton = MakeButton(this, QStringLiteral("okButton"), QStringLiteral("OK"), 222, 172, 82, 28);
    connect(okButton, &QPushButton::clicked, this, [this] { Dismiss(); });
    SetKeysFirst(true);
}

void AboutBox::OnLoad() {
    SetCaption(AppTitle());
    SetClientSize(kAboutWidth, kAboutHeight);
    SetBackgroundPicture(ShellBackground(kAboutWidth, kAboutHeight));
    if (QWidget* owner = parentWidget())
        move(owner->geometry().center() - QPoint(kAboutWidth / 2, kAboutHeight / 2));
}

void AboutBox::OnKeyDown(int key, Qt::KeyboardModifiers) {
    // Enter, Esc and Space all close the box, as its only button would.
    if (IsEnterKey(key) || key == Qt::Key_Escape || key == Qt::Key_Space) Dismiss();
}

}  // namespace kd
