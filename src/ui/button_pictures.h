// SPDX-License-Identifier: MIT
// The pictures of the window's picture buttons and of its background, drawn from the SVG files
// under pictures/ so that they stay sharp at any screen scale. A button's picture is its frame,
// raised when released and sunk when pressed, with the button's symbol on it.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QString>

#include "app/fretlux_form.h"

namespace fretlux {

// The size of a button in logical pixels.
inline constexpr int kPictureSize = 32;

// The symbol a button shows: "play", "finger-T" ... The text button has two released symbols.
QString ReleasedSymbol(HintedButton button, EditPicture edit = EditPicture::imgEditUp);
QString PressedSymbol(HintedButton button);

// False when the symbol's SVG file is missing or cannot be read.
bool SymbolLoads(const QString& symbol);
void PaintButtonPicture(QPainter& painter, const QRectF& area, const QString& symbol, bool pressed);
// The picture at a size in device pixels, as a screenshot of the button would show it.
QImage ButtonPictureImage(const QString& symbol, bool pressed, int pixels);

// The program's icon, for the window and the About window.
QIcon ProgramIcon();

// The window's background, stretched over the area.
void PaintBackground(QPainter& painter, const QRectF& area);

}  // namespace fretlux
