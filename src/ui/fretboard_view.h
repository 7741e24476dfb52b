// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "fretboard/fretboard.h"
#include "fretboard/orientation.h"
#include "fretboard/string_names.h"
#include "playalong/play_along_column.h"

namespace fretlux {

// The fretboard drawn as a guitar neck: six rows of 25 positions between the string names on
// either side. Every position is one cell; a press on a cell, a left double click on it and the
// pointer moving over it or over the string names are reported with the row (1..6, top down)
// and the position index (0..24, left to right). What they do is the model's business.
class FretboardView : public QWidget {
    Q_OBJECT
public:
    explicit FretboardView(QWidget* parent = nullptr);

    // Shows the marks, the turn of the board and the string names; repaints only on a change.
    void Show(const Fretboard& board, const Orientation& orientation,
              const StringNameLabels& names);

    // Play along in Wait mode, over the marks: the notes to play as rings, green once they were
    // played right, and the notes heard wrong in red where they were heard.
    void ShowPlayAlong(const std::vector<FretPosition>& expected,
                       const std::vector<FretPosition>& wrong, bool right);

    // Row 1..6, index 0..24, in pixels of this widget.
    QRectF CellRect(int row, int index) const;
    // The string-name label of a row on the left or the right side.
    QRectF NameRect(bool left, int row) const;

    // Arguments: row, position index, button (1 left, 2 right, 4 middle).
    std::function<void(int, int, int)> onPress;
    std::function<void(int, int)> onDoubleClick;
    // A string's name pressed: its row, and whether it stands right of the board.
    std::function<void(int, bool)> onPressName;
    std::function<void()> onMoveOverPosition;
    std::function<void()> onMoveOverLeftNames;
    std::function<void()> onMoveOverRightNames;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    struct Layout {
        double nameWidth = 0;
        double left = 0;  // left edge of position 0
        double top = 0;   // top edge of row 1
        double cellWidth = 0;
        double rowHeight = 0;
    };
    struct Hit {
        enum class Place { kNone, kCell, kLeftNames, kRightNames } place = Place::kNone;
        int row = 0;
        int index = 0;
    };

    Layout ComputeLayout() const;
    double NumbersHeight() const;
    Hit HitTest(QPointF point) const;
    void PaintWood(QPainter& painter, const Layout& layout) const;
    void PaintInlays(QPainter& painter, const Layout& layout) const;
    void PaintFretWires(QPainter& painter, const Layout& layout) const;
    void PaintStrings(QPainter& painter, const Layout& layout) const;
    void PaintFretNumbers(QPainter& painter, const Layout& layout) const;
    void PaintMarks(QPainter& painter, const Layout& layout) const;
    void PaintNames(QPainter& painter) const;
    void PaintPlayAlong(QPainter& painter, const Layout& layout) const;
    QPointF CentreOf(const FretPosition& position) const;

    std::array<std::array<FretMark, kPositions>, kRows> marks_{};
    Orientation orientation_;
    StringNameLabels names_;
    std::vector<FretPosition> expected_;
    std::vector<FretPosition> wrong_;
    bool right_ = false;
};

}  // namespace fretlux
