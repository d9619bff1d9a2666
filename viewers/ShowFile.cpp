// Showing the selected file: the info bar, the captions and the full path of the file that the
// launcher and the capture use.

#include "app/ImageForm.h"
#include "app/Numbers.h"
#include "browser/FileRows.h"
#include "dos/DosPath.h"
#include "dos/DosText.h"
#include "platform/Files.h"
#include "platform/Host.h"
#include "viewers/MoreKinds.h"
#include "viewers/View.h"

#include <cstdio>

namespace orvane {

using namespace tk;

namespace {

// The size as the info bar shows it: bytes up to 1000, kilobytes with a fraction up to 100000,
// whole kilobytes above. The fraction is the true fraction of a kilobyte cut to two digits below
// 10 KB and one digit below 100 KB (1500 bytes show 1.46); the old bar showed the leading digits
// of the remainder in bytes instead (1.47 for 1500, 0.10 for 1001).
std::pair<std::string, std::string> SizeText(long long n)
{
    if (n > 100000)
        return {NumberToStr(n / 1024), "KB"};
    if (n > 1000) {
        long long k = n / 1024;
        int digits = k < 10 ? 2 : 1;
        long long scale = digits == 2 ? 100 : 10;
        long long fraction = (n * scale / 1024) % scale;
        char text[32];
        std::snprintf(text, sizeof text, "%lld.%0*lld", k, digits, fraction);
        return {text, "KB"};
    }
    if (n > 0)
        return {NumberToStr(n), "ﾊﾞｲﾄ"};
    return {" －", "ﾊﾞｲﾄ"};
}

// The text after the name's last dot found from its last character back to its second one;
// none for a name of one character or without such a dot.
std::optional<std::string> ExtensionPastFirstCharacter(const std::string& name)
{
    size_t dot = dos::ExtensionDot(name);
    if (dot == std::string::npos)
        return std::nullopt;
    return name.substr(dot + 1);
}

bool InTable(const std::string& extension, std::initializer_list<const char*> table)
{
    for (const char* member : table)
        if (extension == member)
            return true;
    return false;
}

}  // namespace

void TImageForm::ListView1Click(TObject*)
{
    m_process.DateSeparator = '-';
    CloseMenus();
    const int unlistedFiles = StrToNumber(ETCtype->Caption());
    const TListItem* selected = ListView1->Selected();
    if (!selected)
        return;

    const std::string name = selected->Caption();
    const std::string path = PathInCurrentFolder(name);
    const std::string captureFile = CaptureFileOf(dos::FlattenPath(path));
    const std::string marker = selected->SubItem(MarkerField);
    Label9->SetCaption(selected->SubItem(TimeField));
    if (marker == FileMarker) {
        auto [value, unit] = SizeText(StrToLargeNumber(selected->SubItem(SizeField)));
        Label4->SetCaption(value);
        Label5->SetCaption(unit);
    } else {
        Label4->SetCaption(" ");
        Label5->SetCaption("－");
    }
    std::optional<std::string> extension = ExtensionPastFirstCharacter(name);
    if (marker == FolderMarker)
        Label7->SetCaption("ﾌｫﾙﾀﾞ");
    if (!extension)
        return;
    const std::string upper = dos::AsciiUpper(*extension);
    Label7->SetCaption(upper);

    m_process.CurrentPath = path;
    m_process.view->SetCaption(CaptionPrefix + name);
    SetCaption(CaptionPrefix + path);

    // A named pipe, a socket or a device would hold the window up or never end: whatever its
    // name says, it gets a notice and is never opened. The file system is asked now rather than
    // at the listing, as the entry may have been replaced since.
    if (auto entry = platform::FindExact(m_process.Host.Drives(), path); entry && entry->special) {
        ShowSpecial();
        return;
    }

    const bool capture = Listed(*CapNames, upper);
    bool text = Listed(*TextNames, upper);
    // The user's lists come first: a type listed there is shown as it says.
    const TMoreKind more = capture || text ? TMoreKind::None : MoreKindOf(upper);
    const bool picture = InTable(upper, {"BMP", "ICO", "WMF", "EMF", "EXE", "CUR", "SCR"}) ||
                         more == TMoreKind::Picture || more == TMoreKind::Page;
    const bool richText = upper == "RTF";
    const bool media = InTable(upper, {"MID", "RMI", "WAV", "AVI", "MPA"}) || more == TMoreKind::Media;
    const bool html = InTable(upper, {"HTM", "HTML", "GIF", "JPG", "JPEG"});
    const bool system = InTable(upper, {"DLL", "COM", "SYS", "OCX", "CPL", "VXD"}) && dos::AsciiUpper(name) != "CONFIG.SYS";
    if (!capture && !picture && !richText && !media && !html && !system && unlistedFiles == UnlistedAsText)
        text = true;

    // Each later rule overrides an earlier one.
    TDisplayKind kind = TDisplayKind::Text;
    if (capture || picture)
        kind = TDisplayKind::Picture;
    if (media)
        kind = TDisplayKind::Media;
    if (html)
        kind = TDisplayKind::Html;
    if (system)
        kind = TDisplayKind::System;
    switch (kind) {
    case TDisplayKind::Picture:
        ShowPicture(!picture ? TPictureSource::Capture
                    : capture ? TPictureSource::CaptureThenFile
                              : TPictureSource::File,
                    upper, captureFile);
        break;
    case TDisplayKind::Media: ShowMedia(); break;
    case TDisplayKind::Html: ShowHtml(); break;
    case TDisplayKind::System: ShowSystem(); break;
    case TDisplayKind::Text:
        ShowText(richText ? TTextKind::Rich : text ? TTextKind::Plain : TTextKind::Unlisted, unlistedFiles);
        break;
    }
}

}  // namespace orvane
