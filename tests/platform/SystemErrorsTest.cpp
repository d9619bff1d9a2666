// The system's reasons in Japanese: the program's table, the C library's catalogue where its
// locale is installed, and why a file cannot be opened. Literals here are code page 932.

#include "platform/CodePage.h"
#include "platform/SystemErrors.h"
#include "tests/SpecialFiles.h"
#include "tests/TempTree.h"

#include <gtest/gtest.h>

#include <locale.h>
#include <string.h>
#include <unistd.h>

#include <cerrno>
#include <set>

using namespace platform;

namespace {

const int CommonErrors[] = {ENOENT, EACCES, EISDIR, ENOTDIR, ELOOP, ENAMETOOLONG, EMFILE, ENOSPC, EROFS, EIO, EPERM, EBUSY};

bool HasJapanese(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

}  // namespace

TEST(SystemErrors, TheCommonErrorsReadInJapaneseWithOrWithoutTheLocale)
{
    std::set<std::string> seen;
    for (int error : CommonErrors) {
        const std::string own = OwnSystemErrorText(error);
        EXPECT_TRUE(HasJapanese(own)) << error;
        EXPECT_TRUE(seen.insert(own).second) << "two errors read alike: " << Cp932ToUtf8(own);
        const std::string text = SystemErrorText(error);
        EXPECT_TRUE(HasJapanese(text)) << error << ": " << Cp932ToUtf8(text);
        EXPECT_EQ(Cp932ToUtf8(Utf8ToCp932(Cp932ToUtf8(text))), Cp932ToUtf8(text)) << "whole code page 932 characters";
        EXPECT_NE(text.back(), '.') << "the caller ends the sentence";
    }
    EXPECT_EQ(SystemErrorText(ENOENT), OwnSystemErrorText(ENOENT)) << Cp932ToUtf8(SystemErrorText(ENOENT));
    EXPECT_EQ(SystemErrorText(EACCES), "許可がありません");
}

TEST(SystemErrors, ErrorsOutsideTheTableStillSaySomething)
{
    EXPECT_EQ(OwnSystemErrorText(EPIPE), "");
    EXPECT_FALSE(SystemErrorText(EPIPE).empty());
    EXPECT_FALSE(SystemErrorText(99999).empty()) << "no such error at all";
}

TEST(SystemErrors, TheCatalogueAndTheTableUseTheSameWords)
{
    locale_t japanese = newlocale(LC_CTYPE_MASK | LC_MESSAGES_MASK, "ja_JP.UTF-8", static_cast<locale_t>(nullptr));
    if (!japanese)
        GTEST_SKIP() << "the ja_JP.UTF-8 locale is not installed";
    const bool catalogue = std::string(strerror_l(EEXIST, japanese)) != strerrordesc_np(EEXIST);
    freelocale(japanese);
    if (!catalogue)
        GTEST_SKIP() << "the C library's Japanese catalogue is not installed";
    for (int error : CommonErrors)
        EXPECT_EQ(Cp932ToUtf8(SystemErrorText(error)), Cp932ToUtf8(OwnSystemErrorText(error))) << error;
    EXPECT_TRUE(HasJapanese(SystemErrorText(EEXIST))) << "an error the table does not hold comes from the catalogue";
}

TEST(SystemErrors, WhyAFileCannotBeOpened)
{
    TempTree tree("errors");
    tree.Write("readable.txt", "x");
    tree.Folder("folder");
    ASSERT_TRUE(special::MakeLink(tree.Path("moved-away.txt"), tree.Path("broken")));
    ASSERT_TRUE(special::MakeLink(tree.Path("broken"), tree.Path("link-to-broken")));
    ASSERT_TRUE(special::MakeLink(tree.Path("loop2"), tree.Path("loop1")));
    ASSERT_TRUE(special::MakeLink(tree.Path("loop1"), tree.Path("loop2")));
    ASSERT_TRUE(special::MakePipe(tree.Path("pipe")));
    ASSERT_TRUE(special::MakeLink("/dev/null", tree.Path("device")));
    ASSERT_TRUE(special::MakeLink(tree.Path("folder"), tree.Path("link-to-folder")));
    special::PipeRelease release({tree.Path("pipe")});

    EXPECT_EQ(OpenFailureReason(tree.Path("readable.txt")), "") << "it opens";
    EXPECT_EQ(OpenFailureReason(tree.Path("gone.txt")), SystemErrorText(ENOENT));
    EXPECT_EQ(OpenFailureReason(tree.Path("gone/inside.txt")), SystemErrorText(ENOENT));
    EXPECT_EQ(OpenFailureReason(tree.Path("readable.txt/inside")), SystemErrorText(ENOTDIR));
    EXPECT_EQ(OpenFailureReason(tree.Path("broken")), "リンク先のファイルがありません");
    EXPECT_EQ(OpenFailureReason(tree.Path("link-to-broken")), "リンク先のファイルがありません") << "a chain of links";
    EXPECT_EQ(OpenFailureReason(tree.Path("loop1")), SystemErrorText(ELOOP));
    EXPECT_EQ(OpenFailureReason(tree.Path("folder")), SystemErrorText(EISDIR));
    EXPECT_EQ(OpenFailureReason(tree.Path("link-to-folder")), SystemErrorText(EISDIR));
    auto took = special::TimeOf([&] {
        EXPECT_EQ(OpenFailureReason(tree.Path("pipe")), "通常のファイルではありません");
        EXPECT_EQ(OpenFailureReason(tree.Path("device")), "通常のファイルではありません");
    });
    EXPECT_LT(took, special::Prompt) << "a pipe is never waited on";
    EXPECT_EQ(OpenFailureReason(tree.Path(std::string(300, 'n'))), SystemErrorText(ENAMETOOLONG));
    if (geteuid() != 0) {
        tree.Write("locked.txt", "x");
        chmod(tree.Path("locked.txt").c_str(), 0);
        EXPECT_EQ(OpenFailureReason(tree.Path("locked.txt")), SystemErrorText(EACCES));
    }
}
