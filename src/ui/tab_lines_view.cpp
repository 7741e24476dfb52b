// SPDX-License-Identifier: MIT
#include "ui/tab_lines_view.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "ui/event_codes.h"

namespace fretlux {

namespace {

const QColor kCursorColour(200, 0, 0);
const QColor kSelectionColour(204, 228, 255);
// The model's cursor line stands this far into its column's symbol, in character widths.
constexpr double kModelCursorInset = 0.9;
// Play along's verdicts: light tints that leave the symbols readable.
const QColor kRightColumn(190, 240, 190);
const QColor kWrongColumn(255, 190, 190);
const QColor kMissedColumn(215, 215, 215);
const QColor kTimingTick(40, 40, 40);

}  // namespace

TabLinesView::TabLinesView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Reached with Tab as well, so that a TAB can be edited with the keyboard alone.
    setFocusPolicy(Qt::StrongFocus);
}

void TabLinesView::SetLines(const std::array<QString, kLineCount>& lines) {
    if (lines == lines_) return;
    lines_ = lines;
    update();
}

void TabLinesView::SetModelCharWidth(int modelCharWidth) {
    if (modelCharWidth <= 0 || modelCharWidth == modelCharWidth_) return;
    modelCharWidth_ = modelCharWidth;
    update();
}

void TabLinesView::SetCursorLines(double modelX1, double modelX2) {
    if (modelX1 == cursorModelX1_ && modelX2 == cursorModelX2_) return;
    cursorModelX1_ = modelX1;
    cursorModelX2_ = modelX2;
    update();
}

void TabLinesView::SetCursorLinesShown(bool shown) {
    if (shown == cursorShown_) return;
    cursorShown_ = shown;
    update();
}

double TabLinesView::CharWidthPx() const {
    return QFontMetricsF(font()).horizontalAdvance(QLatin1Char('M'));
}

double TabLinesView::LineHeightPx() const { return QFontMetricsF(font()).height(); }

double TabLinesView::MarginPx() const { return std::ceil(CharWidthPx() / 2); }

ColumnGeometry TabLinesView::Geometry() const {
    return {MarginPx(), CharWidthPx(), modelCharWidth_};
}

double TabLinesView::CursorPixelX(int line) const {
    return Geometry().ToPixelX(line == 1 ? cursorModelX1_ : cursorModelX2_) -
           kModelCursorInset * CharWidthPx();
}

QRectF TabLinesView::LineRect(int index) const {
    const double height = LineHeightPx();
    return {0, MarginPx() + (index - 1) * height, static_cast<double>(width()), height};
}

void TabLinesView::ShowVerdicts(const std::vector<ColumnJudgement>& verdicts) {
    const auto same = [](const ColumnJudgement& a, const ColumnJudgement& b) {
        return a.expected.column == b.expected.column && a.verdict == b.verdict &&
               a.offsetMs == b.offsetMs;
    };
    if (std::equal(verdicts.begin(), verdicts.end(), verdicts_.begin(), verdicts_.end(), same)) {
        return;
    }
    verdicts_ = verdicts;
    update();
}

QRectF TabLinesView::ColumnRect(int column) const {
    const ColumnGeometry geometry = Geometry();
    const double top = LineRect(1).top();
    return {geometry.originPx + column * geometry.charWidthPx, top, geometry.charWidthPx,
            LineRect(kLineCount).bottom() - top};
}

void TabLinesView::PaintVerdicts(QPainter& painter) const {
    for (const ColumnJudgement& verdict : verdicts_) {
        const QRectF column = ColumnRect(verdict.expected.column);
        const QColor tint = verdict.verdict == Verdict::Right   ? kRightColumn
                            : verdict.verdict == Verdict::Wrong ? kWrongColumn
                                                                : kMissedColumn;
        painter.fillRect(column, tint);
        if (!verdict.offsetMs) continue;
        const double x =
            column.center().x() +
            std::clamp(static_cast<double>(*verdict.offsetMs) / 100.0, -1.0, 1.0) * column.width();
        painter.setPen(QPen(kTimingTick, 2));
        painter.drawLine(QPointF(x, column.top() - MarginPx() * 0.8), QPointF(x, column.top()));
    }
}

bool TabLinesView::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    const QPoint at = static_cast<QHelpEvent*>(event)->pos();
    for (const ColumnJudgement& verdict : verdicts_) {
        if (!ColumnRect(verdict.expected.column).adjusted(0, -MarginPx(), 0, 0).contains(at)) {
            continue;
        }
        QString text = verdict.verdict == Verdict::Right   ? QStringLiteral("Right")
                       : verdict.verdict == Verdict::Wrong ? QStringLiteral("Wrong")
                                                           : QStringLiteral("Missed");
        if (verdict.offsetMs) {
            const long long offset = *verdict.offsetMs;
            text += QStringLiteral(", %1 ms %2")
                        .arg(std::llabs(offset))
                        .arg(offset < 0 ? QStringLiteral("early") : QStringLiteral("late"));
        }
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text, this);
        return true;
    }
    QToolTip::hideText();
    event->ignore();
    return true;
}

QSize TabLinesView::sizeHint() const {
    // One spare character, so that a cursor line after the last column is never clipped.
    const double width = 2 * MarginPx() + (kShownCharacters + 1) * CharWidthPx();
    const double height = 2 * MarginPx() + kLineCount * LineHeightPx();
    return {static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height))};
}

QSize TabLinesView::minimumSizeHint() const { return sizeHint(); }

void TabLinesView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    painter.setFont(font());
    const double top = LineRect(1).top();
    const double bottom = LineRect(kLineCount).bottom();
    if (cursorShown_ && cursorModelX2_ > cursorModelX1_) {
        painter.fillRect(QRectF(QPointF(CursorPixelX(1), top), QPointF(CursorPixelX(2), bottom)),
                         kSelectionColour);
    }
    PaintVerdicts(painter);
    // Where the keys go: a dotted frame while the lines have the focus.
    if (hasFocus()) {
        painter.setPen(QPen(palette().text().color(), 0, Qt::DotLine));
        painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -1.5, -1.5));
    }
    painter.setPen(palette().text().color());
    const ColumnGeometry geometry = Geometry();
    const double ascent = QFontMetricsF(font()).ascent();
    // Character by character, so that each one stands exactly where the column geometry says,
    // whatever the font's hinting does to the advance of a whole string.
    for (int l = 0; l < kLineCount; ++l) {
        const double baseline = LineRect(l + 1).top() + ascent;
        const qsizetype count = std::min<qsizetype>(lines_[l].size(), kShownCharacters);
        for (qsizetype i = 0; i < count; ++i) {
            painter.drawText(QPointF(geometry.originPx + i * geometry.charWidthPx, baseline),
                             QString(lines_[l][i]));
        }
    }
    if (!cursorShown_) return;
    painter.setPen(QPen(kCursorColour, 0));
    for (int line = 1; line <= 2; ++line) {
        const double x = CursorPixelX(line);
        painter.drawLine(QPointF(x, top), QPointF(x, bottom));
    }
}

void TabLinesView::Forward(const MouseHandler& handler, const QMouseEvent& event,
                           int buttons) const {
    if (!handler) return;
    const QPointF position = event.position();
    const double height = LineHeightPx();
    const int index = std::clamp(
        static_cast<int>(std::floor((position.y() - MarginPx()) / height)) + 1, 1, kLineCount);
    const ColumnGeometry geometry = Geometry();
    const double modelY =
        (position.y() - LineRect(index).top()) * geometry.modelCharWidth / geometry.charWidthPx;
    handler(index, buttons, ShiftBits(event.modifiers()), geometry.ToModelX(position.x()), modelY);
}

void TabLinesView::mousePressEvent(QMouseEvent* event) {
    Forward(onMouseDown, *event, ButtonBits(event->button()));
}

void TabLinesView::mouseMoveEvent(QMouseEvent* event) {
    Forward(onMouseMove, *event, ButtonBits(event->buttons()));
}

void TabLinesView::mouseReleaseEvent(QMouseEvent* event) {
    Forward(onMouseUp, *event, ButtonBits(event->button()));
}

void TabLinesView::keyPressEvent(QKeyEvent* event) {
    const auto code = TabKeyCode(event->key());
    if (!code || !onKeyDown) {
        QWidget::keyPressEvent(event);
        return;
    }
    onKeyDown(*code, ShiftBits(event->modifiers()));
}

void TabLinesView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void TabLinesView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

}  // namespace fretlux
