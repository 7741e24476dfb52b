// SPDX-License-Identifier: MIT
#include "ui/button_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <functional>

namespace fretlux {

namespace {

constexpr double kScale = 2;  // drawn at twice the size, for high-density screens
const QColor kInk(40, 40, 40);

QIcon Draw(const std::function<void(QPainter&, const QRectF&)>& paint) {
    QPixmap pixmap(static_cast<int>(kPictureSize * kScale),
                   static_cast<int>(kPictureSize * kScale));
    pixmap.setDevicePixelRatio(kScale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter, QRectF(0, 0, kPictureSize, kPictureSize));
    return QIcon(pixmap);
}

void Dot(QPainter& painter, const QRectF& area, const QColor& colour, const QString& text,
         const QColor& textColour) {
    const QRectF dot = area.adjusted(3, 3, -3, -3);
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.setBrush(colour);
    painter.drawEllipse(dot);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(15);
    painter.setFont(font);
    painter.setPen(textColour);
    painter.drawText(dot, Qt::AlignCenter, text);
}

// An arrow from one point to another with its head at the end; double-headed if asked.
void Arrow(QPainter& painter, QPointF from, QPointF to, bool bothEnds) {
    painter.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(from, to);
    const auto head = [&painter](QPointF tip, QPointF back) {
        const QPointF along = (tip - back) / std::hypot(tip.x() - back.x(), tip.y() - back.y());
        const QPointF across(-along.y(), along.x());
        painter.drawLine(tip, tip - along * 6 + across * 5);
        painter.drawLine(tip, tip - along * 6 - across * 5);
    };
    head(to, from);
    if (bothEnds) head(from, to);
}

// Three string lines and two frets: a small fretboard for the rotate buttons to turn.
void MiniBoard(QPainter& painter, const QRectF& area) {
    painter.fillRect(area, QColor(86, 52, 30));
    painter.setPen(QPen(QColor(220, 220, 215), 1));
    for (int k = 1; k <= 3; ++k) {
        const double y = area.top() + k * area.height() / 4;
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
    painter.fillRect(QRectF(area.left(), area.top(), 2.5, area.height()), QColor(240, 232, 206));
}

// A filled triangle pointing right (or left) with its base at x.
void Triangle(QPainter& painter, double x, double tipX) {
    QPainterPath path;
    path.moveTo(x, 7);
    path.lineTo(tipX, 14);
    path.lineTo(x, 21);
    path.closeSubpath();
    painter.setPen(QPen(kInk, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(QColor(30, 160, 60));
    painter.drawPath(path);
}

void Bar(QPainter& painter, double x) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    painter.drawRect(QRectF(x, 7, 3, 14));
}

}  // namespace

QIcon PlayPicture() {
    return Draw([](QPainter& p, const QRectF&) { Triangle(p, 8, 22); });
}

QIcon StepForwardPicture() {
    return Draw([](QPainter& p, const QRectF&) {
        Triangle(p, 6, 18);
        Bar(p, 19.5);
    });
}

QIcon StepBackPicture() {
    return Draw([](QPainter& p, const QRectF&) {
        Bar(p, 5.5);
        Triangle(p, 22, 10);
    });
}

QIcon StopPicture() {
    return Draw([](QPainter& p, const QRectF&) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(200, 30, 30));
        p.drawRect(QRectF(8, 8, 12, 12));
    });
}

QIcon TabTextPicture(bool hasText) {
    return Draw([hasText](QPainter& p, const QRectF&) {
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(255, 253, 240));
        p.drawRect(QRectF(6, 3, 16, 22));
        if (!hasText) return;
        p.setPen(QPen(QColor(40, 60, 160), 1.4));
        for (const double y : {8.0, 12.0, 16.0, 20.0}) p.drawLine(QPointF(9, y), QPointF(19, y));
    });
}

QIcon FingerPicture(const QString& finger) {
    return Draw([&](QPainter& p, const QRectF& r) {
        Dot(p, r, QColor(255, 0, 0), finger, QColor(255, 255, 0));
    });
}

QIcon PlayablePicture() {
    return Draw([](QPainter& p, const QRectF& r) {
        Dot(p, r, QColor(255, 0, 0), QStringLiteral("+"), Qt::white);
    });
}

QIcon NotPlayablePicture() {
    return Draw(
        [](QPainter& p, const QRectF& r) { Dot(p, r, Qt::black, QStringLiteral("-"), Qt::white); });
}

QIcon ClearFretboardPicture() {
    return Draw([](QPainter& p, const QRectF&) {
        p.setPen(QPen(kInk, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(200, 200, 200));
        QPainterPath bin;
        bin.moveTo(8, 9);
        bin.lineTo(10, 24);
        bin.lineTo(18, 24);
        bin.lineTo(20, 9);
        bin.closeSubpath();
        p.drawPath(bin);
        p.drawLine(QPointF(6, 7.5), QPointF(22, 7.5));
        p.drawLine(QPointF(12, 5), QPointF(16, 5));
        for (const double x : {12.0, 14.0, 16.0}) p.drawLine(QPointF(x, 12), QPointF(x, 21));
    });
}

QIcon PasteFretboardPicture() {
    return Draw([](QPainter& p, const QRectF&) {
        p.setPen(QPen(kInk, 1.2));
        for (const double y : {18.0, 21.5, 25.0}) p.drawLine(QPointF(3, y), QPointF(25, y));
        p.setPen(QPen(kInk, 1.5));
        p.drawLine(QPointF(14, 16.5), QPointF(14, 26.5));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 0, 0));
        p.drawEllipse(QPointF(14, 5), 3.5, 3.5);
        Arrow(p, QPointF(14, 9.5), QPointF(14, 15), false);
    });
}

QIcon PlayFretboardPicture() {
    return Draw([](QPainter& p, const QRectF&) {
        MiniBoard(p, QRectF(2, 6, 24, 16));
        QPainterPath play;
        play.moveTo(10, 8);
        play.lineTo(21, 14);
        play.lineTo(10, 20);
        play.closeSubpath();
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(QColor(30, 160, 60));
        p.drawPath(play);
    });
}

QIcon LeftRightPicture() {
    return Draw([](QPainter& p, const QRectF&) {
        MiniBoard(p, QRectF(4, 3, 20, 12));
        Arrow(p, QPointF(4, 21), QPointF(24, 21), true);
    });
}

QIcon UpDownPicture() {
    return Draw([](QPainter& p, const QRectF&) {
        MiniBoard(p, QRectF(3, 6, 14, 16));
        Arrow(p, QPointF(22, 4), QPointF(22, 24), true);
    });
}

}  // namespace fretlux
