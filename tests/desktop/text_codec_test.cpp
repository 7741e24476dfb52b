// SPDX-License-Identifier: MIT
#include "desktop/text_codec.h"

#include <gtest/gtest.h>

namespace fretlux {
namespace {

TEST(TextCodec, ValidUtf8IsDecodedAsUtf8ElseAsLatin1AndEitherIsWrittenBackUnchanged) {
    std::string everyByte;
    for (int b = 1; b < 256; ++b) everyByte.push_back(static_cast<char>(b));
    const struct {
        std::string bytes;
        bool utf8;
        const char* shown;  // in UTF-8, when checked
    } rows[] = {
        {"Caf\xC3\xA9 \xE2\x82\xAC", true, "Café €"},
        {"\xEF\xBB\xBFTAB", true, nullptr},  // the byte order mark is kept
        {"Caf\xE9", false, "Café"},
        {"ab\xC3", false, "abÃ"},  // a sequence cut short at the end
        {everyByte, false, nullptr},
    };
    for (const auto& row : rows) {
        const DecodedText decoded = DecodeDocumentText(row.bytes);
        EXPECT_EQ(decoded.utf8, row.utf8) << row.bytes;
        if (row.shown) {
            EXPECT_EQ(decoded.text, QString::fromUtf8(row.shown));
        }
        EXPECT_EQ(EncodeDocumentText(decoded.text, decoded.utf8), row.bytes);
    }
}

TEST(TextCodec, CharacterLatin1CannotHoldBecomesQuestionMark) {
    EXPECT_EQ(EncodeDocumentText(QString::fromUtf8("é€"), false), "\xE9?");
    EXPECT_EQ(EncodeDocumentText(QString::fromUtf8("é€"), true), "\xC3\xA9\xE2\x82\xAC");
}

}  // namespace
}  // namespace fretlux
