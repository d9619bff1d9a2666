// Registry export files: both encodings with the quirks real exports carry, and files that are
// damaged or no exports at all.

#include "formats/RegFile.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <string>

using formats::RegFile;
using formats::RegFileFormat;

namespace {

RegFile Parse(std::string_view bytes)
{
    return RegFile::Parse(bytes, platform::Utf8ToCp932);
}

std::string DefaultOf(const RegFile& file, std::string_view path)
{
    const formats::RegKey* key = file.FindKey(path);
    if (!key)
        return "<no key>";
    return key->DefaultText().value_or("<no default>");
}

std::string Diagnostics(const RegFile& file)
{
    std::string text;
    for (const auto& diagnostic : file.Diagnostics())
        text += std::to_string(diagnostic.line) + ": " + diagnostic.message + "\n";
    return text;
}

// A Unicode export as the editor writes it: UTF-16LE after a byte-order mark.
std::string Utf16File(std::u16string_view text)
{
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

// A REGEDIT4 export from a Japanese system: code page 932 text with CR LF (and one LF) line ends,
// texts whose second byte is a backslash, a continued hex line, a repeated key, a deletion,
// another hive, comments and trailing blanks.
const std::string Regedit4Sample =
    "REGEDIT4\r\n"
    "\r\n"
    "; exported for the tests\r\n"
    "[HKEY_CLASSES_ROOT\\.txt]\r\n"
    "@=\"txtfile\"   \r\n"
    "\"Content Type\"=\"text/plain\"\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\txtfile]\r\n"
    "@=\"テキスト ドキュメント\"\r\n"
    "\"EditFlags\"=hex:00,00,00,00\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\txtfile\\DefaultIcon]\r\n"
    "@=hex(2):43,3a,5c,57,49,4e,44,4f,57,53,5c,53,59,53,54,45,4d,5c,73,68,65,6c,6c,\\\r\n"
    "  33,32,2e,64,6c,6c,2c,2d,31,35,32,00\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\txtfile\\shell\\open\\command]\r\n"
    "@=\"C:\\\\WINDOWS\\\\NOTEPAD.EXE %1\"\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\表示]\n"
    "@=\"表\"\r\n"
    "\"ソ\"=\"能\\\\表\\\"\"\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\.TXT]\r\n"
    "\"PerceivedType\"=\"text\"\r\n"
    "\"Count\"=dword:0000002a\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\.old\\ShellNew]\r\n"
    "\"NullFile\"=\"\"\r\n"
    "[-HKEY_CLASSES_ROOT\\.old]\r\n"
    "@=\"ignored, the key is deleted\"\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Orvane]\r\n"
    "@=\"another hive\"\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\.doc]\r\n"
    "@=\"Word.Document.6\"\r\n";

}  // namespace

TEST(RegFileRegedit4, ReadsKeysAndDefaultValuesOfAJapaneseExport)
{
    RegFile file = Parse(Regedit4Sample);
    ASSERT_TRUE(file.Ok()) << file.Error();
    EXPECT_EQ(file.Format(), RegFileFormat::Regedit4);
    EXPECT_EQ(Diagnostics(file), "");
    EXPECT_EQ(DefaultOf(file, ".txt"), "txtfile");
    EXPECT_EQ(DefaultOf(file, "TXTFILE"), "テキスト ドキュメント");
    EXPECT_EQ(DefaultOf(file, "txtfile\\shell\\open\\command"), "C:\\WINDOWS\\NOTEPAD.EXE %1");
    EXPECT_EQ(DefaultOf(file, ".doc"), "Word.Document.6") << "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes is the same";
    EXPECT_EQ(file.FindKey("Software\\Orvane"), nullptr) << "other hives are left out";
}

TEST(RegFileRegedit4, KeysAboveAWrittenKeyExistWithoutValues)
{
    RegFile file = Parse(Regedit4Sample);
    ASSERT_NE(file.FindKey("txtfile\\shell"), nullptr);
    EXPECT_EQ(DefaultOf(file, "txtfile\\shell\\open"), "<no default>");
    EXPECT_EQ(file.FindKey("txtfile\\shell\\edit"), nullptr);
    EXPECT_NE(file.FindKey("txtfile\\\\Shell\\open\\"), nullptr) << "doubled and trailing backslashes";
}

TEST(RegFileRegedit4, TextsWhoseSecondByteIsABackslashStayWhole)
{
    RegFile file = Parse(Regedit4Sample);
    EXPECT_EQ(DefaultOf(file, "表示"), "表") << "the quote after 0x95 0x5C closes the text";
    const formats::RegKey* key = file.FindKey("表示");
    ASSERT_NE(key, nullptr);
    const formats::RegValue* value = key->FindValue("ソ");
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->data, "能\\表\"");
    EXPECT_EQ(file.FindKey("表"), nullptr) << "the key name is not split inside 表";
}

TEST(RegFileRegedit4, RepeatedKeysMergeAndLaterValuesWin)
{
    RegFile file = Parse(Regedit4Sample);
    const formats::RegKey* key = file.FindKey(".Txt");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->path, ".txt") << "the key keeps the case it was first written in";
    EXPECT_EQ(key->DefaultText().value_or("?"), "txtfile");
    ASSERT_NE(key->FindValue("perceivedtype"), nullptr);
    EXPECT_EQ(key->FindValue("PerceivedType")->data, "text");
    ASSERT_NE(key->FindValue("Count"), nullptr);
    EXPECT_EQ(key->FindValue("Count")->type, formats::RegDword);
    EXPECT_EQ(key->FindValue("Count")->data, std::string("\x2A\0\0\0", 4));
}

TEST(RegFileRegedit4, ContinuedHexLinesGiveOneExpandableString)
{
    RegFile file = Parse(Regedit4Sample);
    const formats::RegKey* key = file.FindKey("txtfile\\DefaultIcon");
    ASSERT_NE(key, nullptr);
    ASSERT_NE(key->FindValue(""), nullptr);
    EXPECT_EQ(key->FindValue("")->type, formats::RegExpandString);
    EXPECT_EQ(key->DefaultText().value_or("?"), "C:\\WINDOWS\\SYSTEM\\shell32.dll,-152");
    const formats::RegValue* flags = file.FindKey("txtfile")->FindValue("EditFlags");
    ASSERT_NE(flags, nullptr);
    EXPECT_EQ(flags->type, formats::RegBinary);
    EXPECT_EQ(flags->data, std::string(4, '\0'));
}

TEST(RegFileRegedit4, DeletionsRemoveTheKeyAndItsSubkeys)
{
    RegFile file = Parse(Regedit4Sample);
    EXPECT_EQ(file.FindKey(".old"), nullptr);
    EXPECT_EQ(file.FindKey(".old\\ShellNew"), nullptr);
    EXPECT_TRUE(file.Deletes(".old\\ShellNew"));
    EXPECT_TRUE(file.Deletes(".OLD"));
    EXPECT_FALSE(file.Deletes(".txt"));
    EXPECT_FALSE(file.Deletes(".older"));

    RegFile rewritten = Parse("REGEDIT4\n[-HKEY_CLASSES_ROOT\\.a]\n[HKEY_CLASSES_ROOT\\.a\\b]\n@=\"new\"\n");
    EXPECT_FALSE(rewritten.Deletes(".a\\b")) << "written again after the deletion";
    EXPECT_NE(rewritten.FindKey(".a"), nullptr);
    EXPECT_TRUE(rewritten.Deletes(".a")) << "it stands above a written key, its old values gone";
    EXPECT_TRUE(rewritten.Deletes(".a\\c")) << "what was below the deleted key stays gone";
}

TEST(RegFileVersion5, ReadsAUtf16ExportWithByteOrderMarkAndCrLf)
{
    std::u16string text =
        u"Windows Registry Editor Version 5.00\r\n"
        u"\r\n"
        u"[HKEY_CLASSES_ROOT\\.htm]\r\n"
        u"@=\"htmlfile\"\r\n"
        u"\"Content Type\"=\"text/html\"\r\n"
        u"\r\n"
        u"[HKEY_CLASSES_ROOT\\htmlfile]\r\n"
        u"@=\"HTML 文書を表示\"\r\n"
        u"\r\n"
        u"[HKEY_CLASSES_ROOT\\htmlfile\\DefaultIcon]\r\n"
        u"@=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,52,00,6f,00,6f,00,74,00,25,\\\r\n"
        u"  00,5c,00,68,00,68,00,2e,00,65,00,78,00,65,00,2c,00,30,00,00,00\r\n"
        u"\r\n"
        u"[HKEY_CLASSES_ROOT\\htmlfile\\shell\\open\\command]\r\n"
        u"@=\"\\\"C:\\\\Program Files\\\\表示\\\\viewer.exe\\\" \\\"%1\\\"\"\r\n";
    RegFile file = Parse(Utf16File(text));
    ASSERT_TRUE(file.Ok()) << file.Error();
    EXPECT_EQ(file.Format(), RegFileFormat::Version5);
    EXPECT_EQ(Diagnostics(file), "");
    EXPECT_EQ(DefaultOf(file, ".htm"), "htmlfile");
    EXPECT_EQ(DefaultOf(file, "htmlfile"), "HTML 文書を表示") << "converted to code page 932";
    EXPECT_EQ(DefaultOf(file, "htmlfile\\DefaultIcon"), "%SystemRoot%\\hh.exe,0") << "hex(2) is UTF-16 here";
    EXPECT_EQ(DefaultOf(file, "htmlfile\\shell\\open\\command"), "\"C:\\Program Files\\表示\\viewer.exe\" \"%1\"");
}

TEST(RegFileVersion5, AcceptsUtf8WithByteOrderMarkAndUtf16WithoutIt)
{
    RegFile utf8 = Parse("\xEF\xBB\xBFWindows Registry Editor Version 5.00\n[HKEY_CLASSES_ROOT\\.jp]\n"
                         "@=\"\xE8\xA1\xA8\xE7\xA4\xBA\"\n");
    ASSERT_TRUE(utf8.Ok()) << utf8.Error();
    EXPECT_EQ(DefaultOf(utf8, ".jp"), "表示");

    std::string noMark = Utf16File(u"REGEDIT4\n[HKEY_CLASSES_ROOT\\.a]\n@=\"b\"\n").substr(2);
    RegFile utf16 = Parse(noMark);
    ASSERT_TRUE(utf16.Ok()) << utf16.Error();
    EXPECT_EQ(DefaultOf(utf16, ".a"), "b");
}

TEST(RegFileFaults, MalformedLinesAreSkippedAndReported)
{
    RegFile file = Parse("REGEDIT4\n"
                         "@=\"before any key\"\n"                  // 2
                         "[HKEY_CLASSES_ROOT\\.a]\n"
                         "@=\"no closing quote\n"                  // 4
                         "\"x\"=hex:0g,01\n"                       // 5
                         "\"y\"=dword:123456789\n"                 // 6
                         "\"z\"=sz:\"what\"\n"                     // 7
                         "\"w\" \"v\"\n"                           // 8
                         "garbage\n"                               // 9
                         "\"good\"=\"kept\"\n"
                         "[HKEY_CLASSES_ROOT\\.b\n"                // 11
                         "@=\"belongs to no key\"\n"
                         "\"h\"=hex:01,02,\\\n"                    // 13: continued over two lines
                         "  03 04\n"
                         "[HKEY_CLASSES_ROOT\\.c]\n"
                         "@=\"c\"\n");
    ASSERT_TRUE(file.Ok()) << file.Error();
    EXPECT_EQ(Diagnostics(file),
              "2: a value before the first key\n"
              "4: a text value without its closing quote\n"
              "5: a hex value with a byte that is not hexadecimal\n"
              "6: a dword value that is not 1 to 8 hexadecimal digits\n"
              "7: a value of unknown form\n"
              "8: a value without \"=\"\n"
              "9: not a key, a value or a comment\n"
              "11: a key without its closing \"]\"\n");
    ASSERT_NE(file.FindKey(".a"), nullptr);
    EXPECT_EQ(DefaultOf(file, ".a"), "<no default>");
    ASSERT_NE(file.FindKey(".a")->FindValue("good"), nullptr);
    EXPECT_EQ(file.FindKey(".b"), nullptr);
    EXPECT_EQ(DefaultOf(file, ".c"), "c");
}

TEST(RegFileFaults, FilesThatAreNoExportsFailWithAReason)
{
    const std::string notExports[] = {
        "",
        "REGEDIT",
        "hello\n[HKEY_CLASSES_ROOT\\.a]\n@=\"b\"\n",
        std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16),
        std::string("\xFE\xFF\0W\0i\0n", 8),
        "Windows Registry Editor Version 4.00\n",
    };
    for (const std::string& bytes : notExports) {
        RegFile file = Parse(bytes);
        EXPECT_FALSE(file.Ok()) << "accepted: " << bytes;
        EXPECT_NE(file.Error(), "");
        EXPECT_EQ(file.KeyCount(), 0u);
    }
    EXPECT_NE(Parse("hello").Error().find("not a registry export"), std::string::npos) << Parse("hello").Error();
}

TEST(RegFileFaults, EveryTruncationOfAnExportReadsWithoutFault)
{
    std::string unicode = Utf16File(u"Windows Registry Editor Version 5.00\r\n[HKEY_CLASSES_ROOT\\.t]\r\n"
                                    u"@=hex(2):25,00,31,00,\\\r\n  00,00\r\n\"n\"=\"表\\\\\"\r\n");
    for (const std::string& whole : {Regedit4Sample, unicode}) {
        for (size_t length = 0; length <= whole.size(); ++length) {
            RegFile file = Parse(std::string_view(whole).substr(0, length));
            if (!file.Ok())
                continue;
            for (const auto& diagnostic : file.Diagnostics()) {
                EXPECT_LE(diagnostic.line, 40) << "at length " << length;
            }
        }
    }
    RegFile cut = Parse(Regedit4Sample.substr(0, Regedit4Sample.find("  33,32")));
    ASSERT_TRUE(cut.Ok());
    EXPECT_EQ(DefaultOf(cut, "txtfile\\DefaultIcon"), "C:\\WINDOWS\\SYSTEM\\shell") << "a hex value cut after its comma";
    RegFile odd = Parse(unicode.substr(0, unicode.size() - 1));
    ASSERT_TRUE(odd.Ok());
    EXPECT_EQ(Diagnostics(odd), "0: the file ends in the middle of a UTF-16 character\n");
}
