#include "platform/SystemErrors.h"

#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/RegularFile.h"

#include <locale.h>
#include <string.h>
#include <sys/stat.h>

#include <cerrno>
#include <string_view>

namespace platform {

namespace {

// The C library's Japanese catalogue, when its locale is installed; null otherwise. Its texts come
// in the locale's own character set, UTF-8.
locale_t JapaneseLocale()
{
    static const locale_t locale = newlocale(LC_CTYPE_MASK | LC_MESSAGES_MASK, "ja_JP.UTF-8", static_cast<locale_t>(nullptr));
    return locale;
}

}  // namespace

// In the catalogue's words, so that the program reads the same with or without the locale.
std::string OwnSystemErrorText(int error)
{
    switch (error) {
    case ENOENT: return "そのようなファイルやディレクトリはありません";
    case EACCES: return "許可がありません";
    case EISDIR: return "ディレクトリです";
    case ENOTDIR: return "ディレクトリではありません";
    case ELOOP: return "シンボリックリンクの階層が多すぎます";
    case ENAMETOOLONG: return "ファイル名が長すぎます";
    case EMFILE: return "ファイルを開きすぎです";
    case ENOSPC: return "デバイスに空き領域がありません";
    case EROFS: return "読み込み専用ファイルシステムです";
    case EIO: return "入力/出力エラーです";
    case EPERM: return "許可されていない操作です";
    case EBUSY: return "デバイスもしくはリソースがビジー状態です";
    case ENOMEM: return "メモリを確保できません";
    default: return "";
    }
}

std::string SystemErrorText(int error)
{
    const char* english = strerrordesc_np(error);
    if (locale_t japanese = JapaneseLocale()) {
        // A catalogue without the text gives the English one back.
        const char* text = strerror_l(error, japanese);
        if (text && (!english || std::string_view(text) != english))
            return Utf8ToCp932(text);
    }
    std::string own = OwnSystemErrorText(error);
    if (!own.empty())
        return own;
    return english ? english : "Unknown error " + std::to_string(error);
}

std::string OpenFailureReason(const std::string& hostPath)
{
    struct stat link {};
    if (lstat(hostPath.c_str(), &link) != 0)
        return SystemErrorText(errno);
    struct stat target {};
    if (stat(hostPath.c_str(), &target) != 0) {
        // A link that points nowhere says where the fault is: not the link, which is there.
        if (S_ISLNK(link.st_mode) && errno == ENOENT)
            return "リンク先のファイルがありません";
        return SystemErrorText(errno);
    }
    if (S_ISDIR(target.st_mode))
        return SystemErrorText(EISDIR);
    if (!S_ISREG(target.st_mode))
        return "通常のファイルではありません";
    // Only a regular file is opened to ask the system, and by the reader that never waits.
    if (RegularFile::Open(hostPath))
        return "";
    return SystemErrorText(errno);
}

std::string OpenFailureReason(const DriveMap& drives, std::string_view dosPath)
{
    std::optional<std::string> hostPath = ResolveHostPath(drives, dosPath);
    return hostPath ? OpenFailureReason(*hostPath) : SystemErrorText(ENOENT);
}

}  // namespace platform
