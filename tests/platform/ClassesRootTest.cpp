// The HKEY_CLASSES_ROOT the program reads: a registry file alone, or the user's file laid over the
// desktop's associations key by key.

#include "platform/ClassesRoot.h"
#include "platform/CodePage.h"

#include "tests/TempTree.h"

#include <gtest/gtest.h>

#include <map>

using platform::ClassesRoot;
using platform::IClassesRoot;
using platform::RegistryFileClasses;

namespace {

// Keys and default values standing for the desktop's associations.
class FixedClasses : public IClassesRoot {
public:
    explicit FixedClasses(std::map<std::string, std::optional<std::string>> keys) : m_keys(std::move(keys)) {}
    bool KeyExists(std::string_view path) const override { return m_keys.count(std::string(path)) > 0; }
    std::optional<std::string> DefaultValue(std::string_view path) const override
    {
        auto it = m_keys.find(std::string(path));
        return it == m_keys.end() ? std::nullopt : it->second;
    }

private:
    std::map<std::string, std::optional<std::string>> m_keys;
};

std::unique_ptr<RegistryFileClasses> UserFile(const std::string& text)
{
    formats::RegFile file = formats::RegFile::Parse(text, platform::Utf8ToCp932);
    EXPECT_TRUE(file.Ok()) << file.Error();
    return std::make_unique<RegistryFileClasses>(std::move(file));
}

std::string DefaultOf(const IClassesRoot& classes, std::string_view path)
{
    if (!classes.KeyExists(path))
        return "<no key>";
    return classes.DefaultValue(path).value_or("<no default>");
}

const std::map<std::string, std::optional<std::string>> Desktop = {
    {".txt", "text/plain"},
    {".png", "image/png"},
    {"text/plain", "text/plain"},
    {"text/plain\\DefaultIcon", "Z:\\usr\\share\\icons\\text-plain.png,0"},
    {"text/plain\\shell\\open\\command", "\"Z:\\usr\\share\\applications\\editor.desktop\" %1"},
    {"image/png", "image/png"},
    {"image/png\\shell\\open\\command", "\"Z:\\usr\\share\\applications\\viewer.desktop\" %1"},
};

}  // namespace

TEST(ClassesRoot, TheUsersFileAnswersForTheKeysItHas)
{
    ClassesRoot classes(UserFile("REGEDIT4\n"
                                 "[HKEY_CLASSES_ROOT\\.txt]\n"
                                 "@=\"テキスト\"\n"
                                 "[HKEY_CLASSES_ROOT\\テキスト\\shell\\open\\command]\n"
                                 "@=\"C:\\\\tools\\\\表示.exe %1\"\n"
                                 "[HKEY_CLASSES_ROOT\\text/plain\\DefaultIcon]\n"),
                        std::make_unique<FixedClasses>(Desktop));
    EXPECT_EQ(DefaultOf(classes, ".TXT"), "テキスト");
    EXPECT_EQ(DefaultOf(classes, "テキスト\\shell\\open\\command"), "C:\\tools\\表示.exe %1");
    EXPECT_EQ(DefaultOf(classes, "text/plain\\DefaultIcon"), "<no default>") << "the user's key has no default";
    EXPECT_EQ(DefaultOf(classes, "text/plain"), "text/plain") << "a key the file only passes through";
    EXPECT_EQ(DefaultOf(classes, "text/plain\\shell\\open\\command"),
              "\"Z:\\usr\\share\\applications\\editor.desktop\" %1");
    EXPECT_EQ(DefaultOf(classes, ".png"), "image/png");
}

TEST(ClassesRoot, AKeyTheUsersFileDeletesIsGone)
{
    ClassesRoot classes(UserFile("REGEDIT4\n"
                                 "[-HKEY_CLASSES_ROOT\\image/png\\shell]\n"
                                 "[-HKEY_CLASSES_ROOT\\.txt]\n"
                                 "[HKEY_CLASSES_ROOT\\.txt]\n"
                                 "\"Note\"=\"no default any more\"\n"),
                        std::make_unique<FixedClasses>(Desktop));
    EXPECT_EQ(DefaultOf(classes, "image/png\\shell\\open\\command"), "<no key>");
    EXPECT_EQ(DefaultOf(classes, "image/png"), "image/png");
    EXPECT_EQ(DefaultOf(classes, ".txt"), "<no default>");

    ClassesRoot below(UserFile("REGEDIT4\n"
                               "[-HKEY_CLASSES_ROOT\\text/plain]\n"
                               "[HKEY_CLASSES_ROOT\\text/plain\\DefaultIcon]\n"
                               "@=\"C:\\\\icons\\\\text.ico\"\n"),
                      std::make_unique<FixedClasses>(Desktop));
    EXPECT_EQ(DefaultOf(below, "text/plain"), "<no default>") << "deleted, then standing above a written key";
    EXPECT_EQ(DefaultOf(below, "text/plain\\DefaultIcon"), "C:\\icons\\text.ico");
    EXPECT_EQ(DefaultOf(below, "text/plain\\shell\\open\\command"), "<no key>");
}

TEST(ClassesRoot, ARegistryFileIsTheWholeOfIt)
{
    TempTree tree;
    tree.Write("types.reg", "REGEDIT4\r\n[HKEY_CLASSES_ROOT\\.txt]\r\n@=\"txtfile\"\r\n");
    std::string error;
    std::unique_ptr<IClassesRoot> classes = ClassesRoot::FromRegistryFile(tree.Path("types.reg"), error);
    ASSERT_NE(classes, nullptr) << error;
    EXPECT_EQ(DefaultOf(*classes, ".txt"), "txtfile");
    EXPECT_EQ(DefaultOf(*classes, "text/plain"), "<no key>") << "nothing of the desktop";

    tree.Write("picture.reg", "\x89PNG\r\n");
    EXPECT_EQ(ClassesRoot::FromRegistryFile(tree.Path("picture.reg"), error), nullptr);
    EXPECT_NE(error.find("not a registry export"), std::string::npos) << error;
    EXPECT_EQ(ClassesRoot::FromRegistryFile(tree.Path("missing.reg"), error), nullptr);
    EXPECT_NE(error.find("cannot be read"), std::string::npos) << error;
}

TEST(ClassesRoot, TheDesktopsAssociationsTakeTheUsersFileFromTheConfigurationFolder)
{
    TempTree tree;
    tree.Write("share/mime/globs2", "50:text/plain:*.txt\n50:image/png:*.png\n");
    tree.Write("config/orvane/classes.reg",
               "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CLASSES_ROOT\\.png]\r\n@=\"pngfile\"\r\n");
    platform::XdgDirs dirs;
    dirs.dataHome = tree.Path("share");
    dirs.configHome = tree.Path("config");
    EXPECT_EQ(ClassesRoot::UserFilePath(dirs), tree.Path("config/orvane/classes.reg"));
    std::unique_ptr<IClassesRoot> classes = ClassesRoot::FromDesktop(dirs, platform::DriveMap::Default());
    EXPECT_EQ(DefaultOf(*classes, ".png"), "pngfile");
    EXPECT_EQ(DefaultOf(*classes, ".txt"), "text/plain");

    tree.Write("config/orvane/classes.reg", "not a registry file");
    classes = ClassesRoot::FromDesktop(dirs, platform::DriveMap::Default());
    EXPECT_EQ(DefaultOf(*classes, ".png"), "image/png") << "a faulty user's file is left out";
}
