// SPDX-License-Identifier: MIT
#include "desktop/text_codec.h"

#include <QByteArray>
#include <QStringDecoder>

namespace fretlux {

DecodedText DecodeDocumentText(std::string_view bytes) {
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    // A byte order mark is text like any other: it must survive the way back.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(view);
    if (!utf8.hasError()) return {text, true};
    return {QString::fromLatin1(view), false};
}

std::string EncodeDocumentText(const QString& text, bool asUtf8) {
    const QByteArray bytes = asUtf8 ? text.toUtf8() : text.toLatin1();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace fretlux
