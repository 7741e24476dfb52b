// SPDX-License-Identifier: MIT
// The models of the main window's controls, which the Qt window draws and binds; the parts of
// the window's model set them.
#pragma once

#include <array>
#include <string>

#include "app/control_models.h"
#include "texttools/text_editor_form.h"

namespace fretlux {

// The picture the text-editor button shows: with text, or without.
enum class EditPicture { imgEditUp, imgEdit2Up };

struct WindowControls {
    std::string caption;
    ScrollBarModel hscTAB{0, 0, 0};
    TextBoxModel txtTAB;
    std::array<LabelModel, 7> lblTAB;  // 1..6 used, one per string line
    LabelModel lblHelp{"", kHelpDarkBlue};
    EditPicture imgEdit = EditPicture::imgEdit2Up;

    // Greyed out while there is nothing to undo or redo.
    MenuItemModel mnuEditUndo{"&Undo", false};
    MenuItemModel mnuEditRedo{"&Redo", false};
    ScrollBarModel hscTempo{1, 200, 1};  // drawn reversed: 200 at the left, 1 at the right
    // The bars start away from 0 so that start-up, which sets them to channel 0's values first,
    // sends the same sweep and program change as it does for any other change of patch.
    ScrollBarModel hscVolume{0, 127, 1};
    ScrollBarModel HScrollPatch{0, 127, 1};
    LabelModel lblTempo;
    // Beside the Tempo bar: "122 bpm  100 %".
    LabelModel lblBeatsPerMinute;
    LabelModel lblVolume;
    LabelModel lblPatchNum;
    LabelModel lblPatch;
    bool keyPreview = false;
};

}  // namespace fretlux
