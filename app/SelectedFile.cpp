// Selecting a file: the info bar, the captions and the full path of the file that the viewers,
// the launcher and the capture use; the viewers then show it.

#include "app/ImageForm.h"
#include "common/Numbers.h"
#include "browser/FileRows.h"
#include "dos/DosPath.h"
#include "dos/DosText.h"
#include "app/View.h"

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

}  // namespace

void TImageForm::ListView1Click(TObject*)
{
    m_process.DateSeparator = '-';
    CloseMenus();
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

    m_viewers->Show(name, upper, captureFile);
}

}  // namespace orvane
