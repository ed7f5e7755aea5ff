#pragma once
// What a message box's button set offers, in order, and which of them Escape and the default
// press: shared by every Operator so that the real one and the doubles answer alike.

#include <vector>

#include "platform/Operator.h"

namespace tav {

std::vector<MsgResult> ButtonsOf(MsgButtons buttons);
// The button Escape presses: the cancelling one (No, Cancel, Abort), or Ok when it is the only one.
MsgResult EscapeAnswer(MsgButtons buttons);
// The button defaultButton names; the first when the set has fewer.
MsgResult DefaultButtonOf(MsgButtons buttons, MsgDefault defaultButton);

}  // namespace tav
