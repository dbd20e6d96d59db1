#include "timetrial/frmSettingTimeTrial.h"

#include "common/GameState.h"
#include "common/PlayerFiles.h"
#include "timetrial/frmTimeTrial.h"

namespace kd {

namespace {

GenreDialogLook TimeTrialLook() {
    GenreDialogLook l;
    l.name = QStringLiteral("frmSettingTimeTrial");
    l.prompt = QStringLiteral("ジャンルを設定してください。");
    l.client = {388, 102};
    l.frame = {6, 12, 262, 79};
    l.jp = {21, 30};
    l.eng = {150, 30};
    l.fitChoices = true;
    l.ok = {291, 12, 91, 37};
    l.cancel = {291, 54, 91, 37};
    l.autoDefaultButtons = true;
    l.overOwner = true;
    l.keepUnchangedValue = false;
    l.saveFailed =
        QStringLiteral("ジャンルの設定を保存できませんでした。\n今回の挑戦には選んだジャンルが使われます。");
    return l;
}

}  // namespace

frmSettingTimeTrial::frmSettingTimeTrial(AppContext& ctx, frmTimeTrial* owner)
    : GenreDialog(ctx, owner, TimeTrialLook(), TimeTrialGenrePath(ctx.g)), m_owner(owner) {}

void frmSettingTimeTrial::OnChosen(Genre genre) {
    if (m_owner) m_owner->ApplyGenre(GenreKey(genre));
}

}  // namespace kd
