// SPDX-License-Identifier: MIT
#include "desktop/tuner_needle.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace fretlux {
namespace {

// The scale spans 50 cents to each side of the top, this many degrees.
constexpr double kHalfSweepDegrees = 60.0;

QPointF OnDial(QPointF centre, double radius, double cents) {
    const double angle = (90.0 - cents / 50.0 * kHalfSweepDegrees) * std::numbers::pi / 180.0;
    return {centre.x() + radius * std::cos(angle), centre.y() - radius * std::sin(angle)};
}

}  // namespace

TunerNeedle::TunerNeedle(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tunerNeedle"));
    setMinimumSize(320, 180);
}

void TunerNeedle::Show(bool hasPitch, double cents, bool inTune) {
    hasPitch_ = hasPitch;
    cents_ = cents;
    inTune_ = inTune;
    update();
}

void TunerNeedle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double radius = std::min(width() / 2.0 - 10.0, height() - 30.0);
    const QPointF centre(width() / 2.0, height() - 15.0);

    painter.setPen(QPen(palette().windowText().color(), 1.5));
    for (int cents = -50; cents <= 50; cents += 10) {
        const double inner = cents % 50 == 0 || cents == 0 ? 0.82 : 0.9;
        painter.drawLine(OnDial(centre, radius * inner, cents), OnDial(centre, radius, cents));
    }
    painter.drawText(OnDial(centre, radius * 0.7, -50) - QPointF(10, 0), QStringLiteral("-50"));
    painter.drawText(OnDial(centre, radius * 0.7, 50) - QPointF(10, 0), QStringLiteral("+50"));
    // The band where the string counts as in tune.
    painter.setPen(QPen(QColor(0, 160, 0), 5));
    painter.drawLine(OnDial(centre, radius * 1.02, -3), OnDial(centre, radius * 1.02, 3));

    if (!hasPitch_) return;
    const QColor needle = inTune_ ? QColor(0, 170, 0) : QColor(200, 40, 30);
    painter.setPen(QPen(needle, 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, OnDial(centre, radius * 0.95, cents_));
    painter.setBrush(needle);
    painter.drawEllipse(centre, 5.0, 5.0);
}

}  // namespace fretlux
