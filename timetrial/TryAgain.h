#pragma once

namespace kd {

class ScreenBase;

// "もう一度挑戦しますか？" after a time trial: Yes opens a new run, No the main menu; the asking
// screen closes either way.
void AskToTryTimeTrialAgain(ScreenBase* from);

}  // namespace kd
