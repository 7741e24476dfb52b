// SPDX-License-Identifier: MIT
#include "ui/button_pictures.h"

#include <QHash>
#include <QPixmap>
#include <QSvgRenderer>
#include <memory>

namespace fretlux {

namespace {

// How far the symbol of a pressed button sinks, in the SVG's units.
constexpr double kSink = 1.2;

QSvgRenderer& Renderer(const QString& name) {
    static QHash<QString, std::shared_ptr<QSvgRenderer>> renderers;
    auto found = renderers.find(name);
    if (found == renderers.end()) {
        found = renderers.insert(
            name, std::make_shared<QSvgRenderer>(QStringLiteral(":/pictures/%1.svg").arg(name)));
    }
    return **found;
}

}  // namespace

QString ReleasedSymbol(HintedButton button, EditPicture edit) {
    switch (button) {
        case HintedButton::imgPlay:
            return QStringLiteral("play");
        case HintedButton::imgStop:
            return QStringLiteral("stop");
        case HintedButton::imgStep:
            return QStringLiteral("step");
        case HintedButton::imgBack:
            return QStringLiteral("back");
        case HintedButton::imgTune:
            return QStringLiteral("tune");
        case HintedButton::imgListen:
            return QStringLiteral("listen");
        case HintedButton::imgTrash:
            return QStringLiteral("trash");
        case HintedButton::imgclip2tab:
            return QStringLiteral("clip2tab");
        case HintedButton::imgSound:
            return QStringLiteral("sound");
        case HintedButton::imgNoSound:
            return QStringLiteral("nosound");
        case HintedButton::imgEdit:
            return edit == EditPicture::imgEditUp ? QStringLiteral("edit")
                                                  : QStringLiteral("edit-empty");
        case HintedButton::imgCutButton:
            return QStringLiteral("cut");
        case HintedButton::imgCopyButton:
            return QStringLiteral("copy");
        case HintedButton::imgPasteButton:
            return QStringLiteral("paste");
        case HintedButton::imgTabLine:
            return QStringLiteral("tabline");
        case HintedButton::imgInsTab:
            return QStringLiteral("instab");
        case HintedButton::imgDelTab:
            return QStringLiteral("deltab");
        case HintedButton::imgAB:
            return QStringLiteral("ab");
        case HintedButton::imgFNum0:
            return QStringLiteral("finger-1");
        case HintedButton::imgFNum1:
            return QStringLiteral("finger-2");
        case HintedButton::imgFNum2:
            return QStringLiteral("finger-3");
        case HintedButton::imgFNum3:
            return QStringLiteral("finger-4");
        case HintedButton::imgFNum4:
            return QStringLiteral("finger-T");
        case HintedButton::imgLefRig:
            return QStringLiteral("leftright");
        case HintedButton::imgUpDown:
            return QStringLiteral("updown");
    }
    return {};
}

// The text button has one pressed picture, the written page, whichever page it showed before.
QString PressedSymbol(HintedButton button) { return ReleasedSymbol(button); }

bool SymbolLoads(const QString& symbol) { return Renderer(symbol).isValid(); }

void PaintButtonPicture(QPainter& painter, const QRectF& area, const QString& symbol,
                        bool pressed) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    Renderer(pressed ? QStringLiteral("frame-down") : QStringLiteral("frame-up"))
        .render(&painter, area);
    const double sink = pressed ? kSink * area.width() / kPictureSize : 0;
    Renderer(symbol).render(&painter, area.translated(sink, sink));
    painter.restore();
}

QImage ButtonPictureImage(const QString& symbol, bool pressed, int pixels) {
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    PaintButtonPicture(painter, QRectF(0, 0, pixels, pixels), symbol, pressed);
    return image;
}

QIcon ProgramIcon() {
    QSvgRenderer renderer(QStringLiteral(":/fretlux.svg"));
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void PaintBackground(QPainter& painter, const QRectF& area) {
    Renderer(QStringLiteral("background")).render(&painter, area);
}

}  // namespace fretlux
