// The framework's error reports in Japanese, with the reason as a sentence of its own. Literals
// here are code page 932.

#include "toolkit/ErrorTexts.h"

#include <gtest/gtest.h>

using namespace tk;

TEST(ErrorTexts, TheReasonFollowsAsASentenceOfItsOwn)
{
    EXPECT_EQ(CannotOpenFileText("C:\\表.txt", "許可がありません"), "ファイル \"C:\\表.txt\" を開けません。許可がありません。");
    EXPECT_EQ(CannotOpenMediaFileText("C:\\a.wav", "ディレクトリです"), "メディア ファイル \"C:\\a.wav\" を開けません。ディレクトリです。");
    EXPECT_EQ(WithReason("Sentence。", ""), "Sentence。") << "no reason, nothing added";
}

TEST(ErrorTexts, AReasonThatEndsItsSentenceKeepsItsOwnStop)
{
    EXPECT_EQ(WithReason("S。", "Stream contains no data."), "S。Stream contains no data.");
    EXPECT_EQ(WithReason("S。", "終わりです。"), "S。終わりです。");
    EXPECT_EQ(WithReason("S。", "本当です！"), "S。本当です！");
    EXPECT_EQ(WithReason("S。", "MIDI track 4 is truncated"), "S。MIDI track 4 is truncated.") << "English gets an English stop";
}

// The last byte of a double-byte character may be an ASCII letter or stop: "ア" ends in 'A',
// "ソ" in '\', "ー" in '['. The reason's last character decides, never its last byte.
TEST(ErrorTexts, AJapaneseReasonEndingInATrailByteLikeAsciiGetsAJapaneseStop)
{
    for (const char* reason : {"ア", "ソ", "ー", "データ", "ファイルのサイズ"})
        EXPECT_EQ(WithReason("", reason), std::string(reason) + "。") << reason;
}
