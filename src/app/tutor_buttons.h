// SPDX-License-Identifier: MIT
// The buttons of the tutor window, which shows a lesson step's text beside the main window
// without ever blocking it. Escape and the window's own close button are Close.
#pragma once

namespace fretlux {

inline constexpr const char* kTutorCaption = "Fretlux Tutor";
inline constexpr const char* kPlayStepCaption = "&Play step";
inline constexpr const char* kPlayAlongCaption = "Play &along";
inline constexpr const char* kNextStepCaption = "&Next step";
inline constexpr const char* kCloseTextCaption = "&Close";

class TutorButtons {
public:
    virtual ~TutorButtons() = default;
    // Plays the step once from its first column, then waits there again with the text open.
    virtual void PlayStep() = 0;
    // Plays the step from its first column in Wait mode: it goes on as the student plays it.
    virtual void PlayAlongStep() = 0;
    // Closes the text and goes to the next step, whose text opens.
    virtual void NextStep() = 0;
    // Closes the text; the music plays on into the rest of the lesson.
    virtual void CloseText() = 0;
};

}  // namespace fretlux
