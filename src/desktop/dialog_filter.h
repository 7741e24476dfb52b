// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <string_view>

namespace fretlux {

// Turns the program's file filter, pairs of description and pattern all separated by vertical
// bars ("Fretlux Files (*.flx)|*.flx|All Files (*.*)|*.*"), into the form a QFileDialog takes
// ("Fretlux Files (*.flx);;All Files (*)").
QString QtFileFilter(std::string_view filter);

}  // namespace fretlux
