// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "listening/take_judge.h"
#include "ui/column_geometry.h"

namespace fretlux {

// The six string lines of the shown TAB in the fixed-pitch TAB font, with the two cursor lines
// drawn over them. Mouse presses, drags and releases on the lines are reported in the model's
// column units; where the cursor lines stand is the model's business.
class TabLinesView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLineCount = 6;
    // Characters a line has room for: the string letter and 79 columns.
    static constexpr int kShownCharacters = 80;

    // Arguments: line index 1..6, button bits, shift bits, x and y in model units.
    using MouseHandler = std::function<void(int, int, int, double, double)>;
    // Arguments: the model's key code (kKeyLeft ...) and the shift bits.
    using KeyHandler = std::function<void(int, int)>;

    explicit TabLinesView(QWidget* parent = nullptr);

    // Lines 1..6 at indexes 0..5.
    void SetLines(const std::array<QString, kLineCount>& lines);
    const std::array<QString, kLineCount>& Lines() const { return lines_; }
    void SetModelCharWidth(int modelCharWidth);
    void SetCursorLines(double modelX1, double modelX2);
    // Without a TAB there is nothing for the cursor to stand in.
    void SetCursorLinesShown(bool shown);

    // Play along in Score mode: the judged columns of the shown TAB, tinted by their verdict,
    // with a tick that stands off the column's middle by its timing error (a character width
    // for 100 ms) and the error in its tool tip.
    void ShowVerdicts(const std::vector<ColumnJudgement>& verdicts);

    ColumnGeometry Geometry() const;
    // Where cursor line 1 or 2 is drawn, in pixels of this widget: at the left edge of the
    // symbol the model's line stands in, so that the two lines enclose the selected symbols.
    double CursorPixelX(int line) const;
    // The band of line index 1..6, in pixels of this widget.
    QRectF LineRect(int index) const;

    MouseHandler onMouseDown;
    MouseHandler onMouseMove;
    MouseHandler onMouseUp;
    // Keys pressed while the lines have the focus, which a click on them gives.
    KeyHandler onKeyDown;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

private:
    double CharWidthPx() const;
    double LineHeightPx() const;
    double MarginPx() const;
    void Forward(const MouseHandler& handler, const QMouseEvent& event, int buttons) const;
    void PaintVerdicts(QPainter& painter) const;
    QRectF ColumnRect(int column) const;

    std::array<QString, kLineCount> lines_;
    int modelCharWidth_ = 105;
    double cursorModelX1_ = 0;
    double cursorModelX2_ = 0;
    bool cursorShown_ = true;
    std::vector<ColumnJudgement> verdicts_;
};

}  // namespace fretlux
