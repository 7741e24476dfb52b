// SPDX-License-Identifier: MIT
#include "platform/text_codec.h"

#include <gtest/gtest.h>

namespace fretlux {
namespace {

TEST(TextCodec, ValidUtf8IsDecodedAsUtf8AndWrittenBackUnchanged) {
    const std::string bytes = "Caf\xC3\xA9 \xE2\x82\xAC";
    const DecodedText decoded = DecodeDocumentText(bytes);
    EXPECT_TRUE(decoded.utf8);
    EXPECT_EQ(decoded.text, QString::fromUtf8("Café €"));
    EXPECT_EQ(EncodeDocumentText(decoded.text, decoded.utf8), bytes);
}

TEST(TextCodec, InvalidUtf8IsDecodedAsLatin1AndWrittenBackUnchanged) {
    const std::string bytes = "Caf\xE9";
    const DecodedText decoded = DecodeDocumentText(bytes);
    EXPECT_FALSE(decoded.utf8);
    EXPECT_EQ(decoded.text, QString::fromUtf8("Café"));
    EXPECT_EQ(EncodeDocumentText(decoded.text, decoded.utf8), bytes);
}

TEST(TextCodec, TruncatedSequenceAtTheEndIsNotUtf8) {
    const DecodedText decoded = DecodeDocumentText("ab\xC3");
    EXPECT_FALSE(decoded.utf8);
    EXPECT_EQ(decoded.text, QString::fromUtf8("abÃ"));
}

TEST(TextCodec, EveryByteSurvivesTheLatin1Way) {
    std::string bytes;
    for (int b = 1; b < 256; ++b) bytes.push_back(static_cast<char>(b));
    const DecodedText decoded = DecodeDocumentText(bytes);
    EXPECT_FALSE(decoded.utf8);
    EXPECT_EQ(decoded.text.size(), 255);
    EXPECT_EQ(EncodeDocumentText(decoded.text, decoded.utf8), bytes);
}

TEST(TextCodec, ByteOrderMarkIsKept) {
    const std::string bytes = "\xEF\xBB\xBFTAB";
    const DecodedText decoded = DecodeDocumentText(bytes);
    EXPECT_TRUE(decoded.utf8);
    EXPECT_EQ(EncodeDocumentText(decoded.text, decoded.utf8), bytes);
}

TEST(TextCodec, CharacterLatin1CannotHoldBecomesQuestionMark) {
    EXPECT_EQ(EncodeDocumentText(QString::fromUtf8("é€"), false), "\xE9?");
    EXPECT_EQ(EncodeDocumentText(QString::fromUtf8("é€"), true), "\xC3\xA9\xE2\x82\xAC");
}

}  // namespace
}  // namespace fretlux
