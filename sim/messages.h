#pragma once
// The panel's and the messages' own life from frame to frame: the live score
// against par, buttons released when the pointer leaves them, the message
// line's scroll, the exit prompt, the big message's shimmer and fade.
//
// Per frame, around the panel's drawing: UpdatePanel, (draw the panel),
// StepMessages, (draw the messages), FadeBigMessage.

namespace gp {

void UpdatePanel();
// The message line moves on; the exit prompt flickers; the big message's
// shimmer offsets for this frame are drawn (at random).
void StepMessages();
// Slow at first, faster as it fades: 76 frames from 255 at timescale 1.
void FadeBigMessage();

}  // namespace gp
