// SPDX-License-Identifier: MIT
// The tutor of a lesson. A step is a TAB with a text together with the TABs without text that
// follow it. When the lesson reaches a step, the step's text opens in the tutor window and the
// music waits at the step's first column. While that text is open the music never leaves the
// step, so no text is passed by, however fast the lesson plays and however long the reading
// takes.
#pragma once

#include "app/host.h"
#include "app/tutor_buttons.h"
#include "document/tab_document.h"

namespace fretlux {

// What the tutor moves: the window's player. TABs are numbered from 1.
class LessonStage {
public:
    virtual ~LessonStage() = default;
    virtual bool Playing() const = 0;
    // Halts the music and shows the TAB with the cursor on its first column.
    virtual void WaitAtTab(int tab) = 0;
    // Shows the TAB and plays from its first column.
    virtual void PlayFromTab(int tab) = 0;
    // The same while listening to the student in Wait mode.
    virtual void PlayAlongFromTab(int tab) = 0;
    // Halts the music and says in the help line that the lesson is over.
    virtual void EndLesson() = 0;
};

class LessonTutor final : public TutorButtons {
public:
    LessonTutor(Host& host, const TabDocument& document, LessonStage& stage);
    LessonTutor(const LessonTutor&) = delete;
    LessonTutor& operator=(const LessonTutor&) = delete;

    // Another document: no step has been reached, and the window closes.
    void Forget();
    // Start on TAB tab. True when it reached a step, whose text opened: the music waits.
    bool StartAt(int tab);
    // Playback went on from the end of a TAB into TAB tab.
    void PlayedInto(int tab);
    // Playback went past the last column of the lesson.
    void PlayedToEnd();
    // Next and Previous: the nearest step that begins after, or before, TAB tab.
    void NextStepAfter(int tab);
    void PreviousStepBefore(int tab);
    // The text of TAB tab's step is asked for: it opens as if the lesson had reached the step.
    void ShowStepOf(int tab);

    void PlayStep() override;
    void PlayAlongStep() override;
    void NextStep() override;
    void CloseText() override;

private:
    // The first TAB of the step TAB tab belongs to; 0 before the first step.
    int StepOf(int tab) const;
    bool HasText(int tab) const;
    void OpenStep(int first);
    void CloseWindow();

    Host& host_;
    const TabDocument& document_;
    LessonStage& stage_;
    // The first TAB of the step whose text opened last; 0 for none.
    int reached_ = 0;
    bool textOpen_ = false;
};

}  // namespace fretlux
