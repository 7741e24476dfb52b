// SPDX-License-Identifier: MIT
// The pictures of the fretboard's buttons, drawn rather than stored so that they stay sharp at
// any screen scale.
#pragma once

#include <QIcon>
#include <QString>

namespace fretlux {

inline constexpr int kPictureSize = 28;

// A red mark with the finger's text in yellow, as the board shows it.
QIcon FingerPicture(const QString& finger);
QIcon PlayablePicture();
QIcon NotPlayablePicture();
QIcon ClearFretboardPicture();
QIcon PasteFretboardPicture();
QIcon PlayFretboardPicture();
QIcon LeftRightPicture();
QIcon UpDownPicture();
QIcon PlayPicture();
QIcon StepForwardPicture();
QIcon StepBackPicture();
QIcon StopPicture();
// The TAB text button: a written page when the shown TAB has a text, a blank one otherwise.
QIcon TabTextPicture(bool hasText);

}  // namespace fretlux
