// SPDX-License-Identifier: MIT
#include "ui/fretboard_view.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

#include "ui/event_codes.h"

namespace fretlux {

namespace {

constexpr int kInlayFrets[] = {3, 5, 7, 9, 12, 15, 17, 19, 21};
constexpr int kDoubleInlayFret = 12;
constexpr double kTopMargin = 4;

// Low strings are thicker, wound and bronze; the two highest are plain steel.
constexpr double kStringThickness[] = {3.4, 2.8, 2.3, 1.8, 1.4, 1.1};  // string 1..6

const QColor kWoodDark(58, 34, 20);
const QColor kWoodLight(86, 52, 30);
const QColor kOpenStringArea(236, 226, 204);
const QColor kFretWire(200, 200, 196);
const QColor kFretWireShine(245, 245, 240);
const QColor kNut(240, 232, 206);
const QColor kPearl(236, 232, 220);
const QColor kWoundString(214, 180, 118);
const QColor kPlainString(226, 226, 232);
const QColor kMarkRed(255, 0, 0);
const QColor kMarkBlack(0, 0, 0);
// Play along: a note to play, and a column played right.
const QColor kToPlay(40, 120, 255);
const QColor kPlayedRight(0, 190, 60);
const QColor kFingerYellow(255, 255, 0);
const QColor kFretNumber(110, 110, 110);

bool IsFretMarkEqual(const FretMark& a, const FretMark& b) {
    return a.marked == b.marked && a.red == b.red && a.finger == b.finger;
}

}  // namespace

FretboardView::FretboardView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // Clicking the board takes the focus away from the label box, so that a finger key typed
    // next is not typed into the TAB's label as well.
    setFocusPolicy(Qt::ClickFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void FretboardView::Show(const Fretboard& board, const Orientation& orientation,
                         const StringNameLabels& names) {
    bool changed = orientation.leftRightFlipped != orientation_.leftRightFlipped ||
                   orientation.upDownFlipped != orientation_.upDownFlipped ||
                   names.lblStrgL != names_.lblStrgL || names.lblStrgR != names_.lblStrgR;
    for (int row = 1; row <= kRows; ++row) {
        for (int i = 0; i < kPositions; ++i) {
            FretMark& shown = marks_[row - 1][i];
            if (IsFretMarkEqual(shown, board.At(row, i))) continue;
            shown = board.At(row, i);
            changed = true;
        }
    }
    if (!changed) return;
    orientation_ = orientation;
    names_ = names;
    update();
}

void FretboardView::ShowPlayAlong(const std::vector<FretPosition>& expected,
                                  const std::vector<FretPosition>& wrong, bool right) {
    if (expected == expected_ && wrong == wrong_ && right == right_) return;
    expected_ = expected;
    wrong_ = wrong;
    right_ = right;
    update();
}

double FretboardView::NumbersHeight() const { return QFontMetricsF(font()).height() * 1.1; }

FretboardView::Layout FretboardView::ComputeLayout() const {
    const QFontMetricsF metrics(font());
    Layout layout;
    layout.nameWidth = std::ceil(metrics.height() * 1.6);
    layout.left = layout.nameWidth;
    layout.cellWidth = std::max(1.0, (width() - 2 * layout.nameWidth) / kPositions);
    const double available = height() - kTopMargin - NumbersHeight();
    // Strings closer together than frets, as on a neck; spare height is left above and below.
    layout.rowHeight = std::max(1.0, std::min(available / kRows, layout.cellWidth));
    layout.top = kTopMargin + std::max(0.0, (available - kRows * layout.rowHeight) / 2);
    return layout;
}

QRectF FretboardView::CellRect(int row, int index) const {
    const Layout layout = ComputeLayout();
    return {layout.left + index * layout.cellWidth, layout.top + (row - 1) * layout.rowHeight,
            layout.cellWidth, layout.rowHeight};
}

QRectF FretboardView::NameRect(bool left, int row) const {
    const Layout layout = ComputeLayout();
    const double x = left ? 0 : layout.left + kPositions * layout.cellWidth;
    return {x, layout.top + (row - 1) * layout.rowHeight, layout.nameWidth, layout.rowHeight};
}

QSize FretboardView::sizeHint() const {
    const QFontMetricsF metrics(font());
    const double cell = metrics.height() * 2.2;
    return {static_cast<int>(std::ceil(metrics.height() * 3.2 + kPositions * cell)),
            static_cast<int>(std::ceil(kTopMargin + metrics.height() * 1.1 + kRows * cell))};
}

QSize FretboardView::minimumSizeHint() const {
    const QFontMetricsF metrics(font());
    const double cell = metrics.height() * 1.3;
    return {static_cast<int>(std::ceil(metrics.height() * 3.2 + kPositions * cell)),
            static_cast<int>(std::ceil(kTopMargin + metrics.height() * 1.1 + kRows * cell))};
}

FretboardView::Hit FretboardView::HitTest(QPointF point) const {
    const Layout layout = ComputeLayout();
    const double boardRight = layout.left + kPositions * layout.cellWidth;
    const double y = (point.y() - layout.top) / layout.rowHeight;
    if (y < 0 || y >= kRows) return {};
    const int row = static_cast<int>(y) + 1;
    if (point.x() < layout.left) {
        return point.x() >= 0 ? Hit{Hit::Place::kLeftNames, row, 0} : Hit{};
    }
    if (point.x() >= boardRight) {
        return point.x() < boardRight + layout.nameWidth ? Hit{Hit::Place::kRightNames, row, 0}
                                                         : Hit{};
    }
    const int index =
        std::min(kPositions - 1, static_cast<int>((point.x() - layout.left) / layout.cellWidth));
    return {Hit::Place::kCell, row, index};
}

void FretboardView::mousePressEvent(QMouseEvent* event) {
    const Hit hit = HitTest(event->position());
    if (hit.place == Hit::Place::kLeftNames || hit.place == Hit::Place::kRightNames) {
        if (onPressName) onPressName(hit.row, hit.place == Hit::Place::kRightNames);
        return;
    }
    if (hit.place != Hit::Place::kCell) {
        event->ignore();
        return;
    }
    if (onPress) onPress(hit.row, hit.index, ButtonBits(event->button()));
}

// The second press of a double click arrives only as this event. It is not a press: passing it
// on as one would advance a finger twice.
void FretboardView::mouseDoubleClickEvent(QMouseEvent* event) {
    const Hit hit = HitTest(event->position());
    if (hit.place != Hit::Place::kCell) {
        event->ignore();
        return;
    }
    if (event->button() == Qt::LeftButton && onDoubleClick) onDoubleClick(hit.row, hit.index);
}

void FretboardView::mouseMoveEvent(QMouseEvent* event) {
    const Hit hit = HitTest(event->position());
    const std::function<void()>* handler = nullptr;
    switch (hit.place) {
        case Hit::Place::kCell:
            handler = &onMoveOverPosition;
            break;
        case Hit::Place::kLeftNames:
            handler = &onMoveOverLeftNames;
            break;
        case Hit::Place::kRightNames:
            handler = &onMoveOverRightNames;
            break;
        case Hit::Place::kNone:
            // The margins are the window's background.
            event->ignore();
            return;
    }
    if (*handler) (*handler)();
}

void FretboardView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setRenderHint(QPainter::Antialiasing);
    const Layout layout = ComputeLayout();
    PaintWood(painter, layout);
    PaintInlays(painter, layout);
    PaintFretWires(painter, layout);
    PaintStrings(painter, layout);
    PaintMarks(painter, layout);
    PaintPlayAlong(painter, layout);
    PaintNames(painter);
    PaintFretNumbers(painter, layout);
}

void FretboardView::PaintWood(QPainter& painter, const Layout& layout) const {
    const double boardHeight = kRows * layout.rowHeight;
    const QRectF open = CellRect(1, orientation_.PositionOfFret(0));
    painter.fillRect(QRectF(open.left(), layout.top, open.width(), boardHeight), kOpenStringArea);
    // The fretted part: every position but the open strings' one.
    const double woodLeft =
        orientation_.leftRightFlipped == 1 ? layout.left : layout.left + layout.cellWidth;
    const QRectF wood(woodLeft, layout.top, (kPositions - 1) * layout.cellWidth, boardHeight);
    QLinearGradient grain(wood.topLeft(), wood.bottomLeft());
    grain.setColorAt(0, kWoodLight);
    grain.setColorAt(0.5, kWoodDark);
    grain.setColorAt(1, kWoodLight);
    painter.fillRect(wood, grain);
    painter.setPen(QPen(kNut, 1.5));
    painter.drawLine(wood.topLeft(), wood.topRight());
    painter.drawLine(wood.bottomLeft(), wood.bottomRight());
}

void FretboardView::PaintInlays(QPainter& painter, const Layout& layout) const {
    const double radius = std::min(layout.rowHeight * 0.28, layout.cellWidth * 0.22);
    painter.setPen(Qt::NoPen);
    for (const int fret : kInlayFrets) {
        const double x = CellRect(1, orientation_.PositionOfFret(fret)).center().x();
        // Between the middle strings; the twelfth fret has one between each outer pair.
        const bool twin = fret == kDoubleInlayFret;
        const int boundaries[] = {twin ? 2 : 3, 4};
        for (int k = 0; k < (twin ? 2 : 1); ++k) {
            const QPointF centre(x, layout.top + boundaries[k] * layout.rowHeight);
            QRadialGradient pearl(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
            pearl.setColorAt(0, Qt::white);
            pearl.setColorAt(1, kPearl.darker(115));
            painter.setBrush(pearl);
            painter.drawEllipse(centre, radius, radius);
        }
    }
}

void FretboardView::PaintFretWires(QPainter& painter, const Layout& layout) const {
    const double top = layout.top;
    const double bottom = layout.top + kRows * layout.rowHeight;
    const double wire = std::max(2.0, layout.cellWidth * 0.05);
    const double nut = std::max(5.0, layout.cellWidth * 0.14);
    // Wire k closes the cell of fret k on the side away from the nut; wire 0 is the nut.
    for (int fret = 0; fret <= kHighestFret; ++fret) {
        const QRectF cell = CellRect(1, orientation_.PositionOfFret(fret));
        const double x = orientation_.leftRightFlipped == 1 ? cell.left() : cell.right();
        if (fret == 0) {
            painter.fillRect(QRectF(x - nut / 2, top, nut, bottom - top), kNut);
            painter.fillRect(QRectF(x - nut / 2, top, 1, bottom - top), kNut.darker(130));
            continue;
        }
        painter.fillRect(QRectF(x - wire / 2, top, wire, bottom - top), kFretWire);
        painter.fillRect(QRectF(x - wire / 2, top, wire / 2, bottom - top), kFretWireShine);
    }
}

void FretboardView::PaintStrings(QPainter& painter, const Layout& layout) const {
    const double left = layout.left;
    const double right = layout.left + kPositions * layout.cellWidth;
    const double scale = std::clamp(layout.rowHeight / 30.0, 0.7, 1.6);
    for (int row = 1; row <= kRows; ++row) {
        const int string = orientation_.StringOfRow(row);
        const double thickness = kStringThickness[string - 1] * scale;
        const double y = CellRect(row, 0).center().y();
        painter.setPen(QPen(QColor(0, 0, 0, 90), thickness, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(left, y + thickness * 0.6), QPointF(right, y + thickness * 0.6));
        painter.setPen(
            QPen(string <= 4 ? kWoundString : kPlainString, thickness, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(left, y), QPointF(right, y));
    }
}

void FretboardView::PaintMarks(QPainter& painter, const Layout& layout) const {
    const double radius = std::min(layout.cellWidth, layout.rowHeight) * 0.4;
    QFont fingerFont = font();
    fingerFont.setBold(true);
    fingerFont.setPixelSize(std::max(8, static_cast<int>(radius * 1.3)));
    painter.setFont(fingerFont);
    for (int row = 1; row <= kRows; ++row) {
        for (int i = 0; i < kPositions; ++i) {
            const FretMark& mark = marks_[row - 1][i];
            if (!mark.marked) continue;
            const QRectF cell = CellRect(row, i);
            // A black dot on dark wood needs a light rim to be seen.
            painter.setPen(mark.red ? Qt::NoPen : QPen(QColor(220, 220, 220), 1.5));
            painter.setBrush(mark.red ? kMarkRed : kMarkBlack);
            painter.drawEllipse(cell.center(), radius, radius);
            if (mark.finger.empty()) continue;
            painter.setPen(kFingerYellow);
            painter.drawText(cell, Qt::AlignCenter, QString::fromStdString(mark.finger));
        }
    }
}

QPointF FretboardView::CentreOf(const FretPosition& position) const {
    return CellRect(orientation_.RowOfString(position.string),
                    orientation_.PositionOfFret(position.fret))
        .center();
}

void FretboardView::PaintPlayAlong(QPainter& painter, const Layout& layout) const {
    const double radius = std::min(layout.cellWidth, layout.rowHeight) * 0.4;
    const QColor ring = right_ ? kPlayedRight : kToPlay;
    painter.setPen(QPen(ring, std::max(2.0, radius * 0.35)));
    painter.setBrush(right_ ? QBrush(kPlayedRight) : QBrush(Qt::NoBrush));
    for (const FretPosition& position : expected_) {
        painter.drawEllipse(CentreOf(position), radius, radius);
    }
    for (const FretPosition& position : wrong_) {
        const QPointF centre = CentreOf(position);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kMarkRed);
        painter.drawEllipse(centre, radius, radius);
        // A cross as well, so that a wrong note differs from a red mark by more than its colour.
        const double arm = radius * 0.5;
        painter.setPen(QPen(Qt::white, std::max(1.5, radius * 0.2)));
        painter.drawLine(centre + QPointF(-arm, -arm), centre + QPointF(arm, arm));
        painter.drawLine(centre + QPointF(-arm, arm), centre + QPointF(arm, -arm));
    }
}

void FretboardView::PaintNames(QPainter& painter) const {
    QFont nameFont = font();
    nameFont.setBold(true);
    painter.setFont(nameFont);
    painter.setPen(palette().windowText().color());
    for (int row = 1; row <= kRows; ++row) {
        painter.drawText(NameRect(true, row), Qt::AlignCenter,
                         QString::fromStdString(names_.lblStrgL[row - 1]));
        painter.drawText(NameRect(false, row), Qt::AlignCenter,
                         QString::fromStdString(names_.lblStrgR[row - 1]));
    }
}

void FretboardView::PaintFretNumbers(QPainter& painter, const Layout& layout) const {
    QFont numberFont = font();
    numberFont.setPointSizeF(numberFont.pointSizeF() * 0.85);
    painter.setFont(numberFont);
    painter.setPen(kFretNumber);
    const double top = layout.top + kRows * layout.rowHeight;
    for (const int fret : kInlayFrets) {
        const QRectF cell = CellRect(1, orientation_.PositionOfFret(fret));
        painter.drawText(QRectF(cell.left(), top, cell.width(), NumbersHeight()), Qt::AlignCenter,
                         QString::number(fret));
    }
}

}  // namespace fretlux
