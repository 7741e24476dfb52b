// SPDX-License-Identifier: MIT
// What the About window shows: the version, the licence and the sound in use.
#pragma once

#include <string>

namespace fretlux {

struct AboutForm {
    std::string caption = "About Fretlux";
    std::string lblAbout;
    std::string licence;
    // Which synthesiser and soundfont play, or why nothing sounds.
    std::string sound;
};

}  // namespace fretlux
