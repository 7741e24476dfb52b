// SPDX-License-Identifier: MIT
#include "app/lesson_tutor.h"

#include <algorithm>

namespace fretlux {

LessonTutor::LessonTutor(Host& host, const TabDocument& document, LessonStage& stage)
    : host_(host), document_(document), stage_(stage) {}

void LessonTutor::Forget() {
    reached_ = 0;
    CloseWindow();
}

// Start within the step already reached plays on from the cursor, so that a student who stopped
// to practise goes on where they stopped.
bool LessonTutor::StartAt(int tab) {
    const int step = StepOf(tab);
    if (step == 0 || step == reached_) return false;
    OpenStep(step);
    return true;
}

void LessonTutor::PlayedInto(int tab) {
    const int step = StepOf(tab);
    if (step == 0 || step == reached_) return;
    if (textOpen_) {
        stage_.WaitAtTab(reached_);
    } else {
        OpenStep(step);
    }
}

void LessonTutor::PlayedToEnd() {
    if (textOpen_) {
        stage_.WaitAtTab(reached_);
    } else {
        stage_.EndLesson();
    }
}

void LessonTutor::NextStepAfter(int tab) {
    for (int t = std::max(tab + 1, 1); t <= document_.tabCount; ++t) {
        if (HasText(t)) {
            OpenStep(t);
            return;
        }
    }
    CloseWindow();
    stage_.EndLesson();
}

void LessonTutor::PreviousStepBefore(int tab) {
    for (int t = std::min(tab - 1, document_.tabCount); t >= 1; --t) {
        if (HasText(t)) {
            OpenStep(t);
            return;
        }
    }
}

void LessonTutor::ShowStepOf(int tab) {
    if (const int step = StepOf(tab); step != 0) OpenStep(step);
}

void LessonTutor::PlayStep() {
    if (reached_ != 0) stage_.PlayFromTab(reached_);
}

void LessonTutor::PlayAlongStep() {
    if (reached_ != 0) stage_.PlayAlongFromTab(reached_);
}

void LessonTutor::NextStep() { NextStepAfter(reached_); }

// Music that already plays (Play step, or Start pressed while reading) simply goes on.
void LessonTutor::CloseText() {
    CloseWindow();
    if (reached_ != 0 && !stage_.Playing()) stage_.PlayFromTab(reached_);
}

int LessonTutor::StepOf(int tab) const {
    for (int t = std::min(tab, document_.tabCount); t >= 1; --t) {
        if (HasText(t)) return t;
    }
    return 0;
}

bool LessonTutor::HasText(int tab) const { return !document_.tabTexts[tab - 1].empty(); }

void LessonTutor::OpenStep(int first) {
    reached_ = first;
    textOpen_ = true;
    stage_.WaitAtTab(first);
    host_.ShowTutor(document_.tabTexts[first - 1], *this);
}

void LessonTutor::CloseWindow() {
    if (!textOpen_) return;
    textOpen_ = false;
    host_.CloseTutor();
}

}  // namespace fretlux
