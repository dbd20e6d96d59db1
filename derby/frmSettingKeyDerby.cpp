#include "derby/frmSettingKeyDerby.h"

#include "common/GameState.h"
#include "common/PlayerFiles.h"

namespace kd {

namespace {

GenreDialogLook DerbyLook() {
    GenreDialogLook l;
    l.name = QStringLiteral("frmSettingKeyDerby");
    l.prompt = QStringLiteral("ジャンルを選んでください。");
    l.client = {342, 92};
    l.frame = {6, 15, 223, 64};
    l.jp = {15, 27};
    l.eng = {123, 27};
    l.fitChoices = false;
    l.ok = {246, 15, 88, 31};
    l.cancel = {246, 48, 88, 31};
    l.background = QColor(212, 208, 200);
    l.autoDefaultButtons = false;
    l.overOwner = false;
    l.keepUnchangedValue = true;
    l.saveFailed = QStringLiteral("ジャンルを保存できませんでした。");
    return l;
}

}  // namespace

frmSettingKeyDerby::frmSettingKeyDerby(AppContext& ctx_, QWidget* owner)
    : GenreDialog(ctx_, owner, DerbyLook(), DerbyGenrePath(ctx_.g)) {}

}  // namespace kd
