// Starting the application the desktop associates with the selected file, and arming the capture
// of its window for the file types in the capture list.

#include "app/ImageForm.h"
#include "app/Numbers.h"
#include "browser/FileRows.h"
#include "dos/DosPath.h"
#include "dos/DosText.h"
#include "platform/Host.h"
#include "toolkit/Application.h"

#include <algorithm>
#include <climits>

namespace orvane {

using namespace tk;

namespace {

// The text after the caption's last dot at its second character or later, letters upper-cased
// byte by byte; empty without such a dot or when the dot ends the caption.
std::string LaunchExtension(const std::string& caption)
{
    size_t dot = dos::ExtensionDot(caption);
    if (dot == std::string::npos)
        return std::string();
    return dos::AsciiUpper(caption.substr(dot + 1));
}

// The command up to the first blank after its last dot (at its second character or later), a
// blank and the path; the file itself when the command has no such dot. The command's own
// arguments after the program are dropped and the path is appended without quotes.
std::string CommandLine(const std::string& command, const std::string& fullPath)
{
    size_t dot = command.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return fullPath;
    size_t blank = command.find(' ', dot);
    size_t q = blank == std::string::npos || blank + 1 >= command.size() ? command.size() : blank + 1;
    return command.substr(0, q) + " " + fullPath;
}

}  // namespace

void TImageForm::ListView1DblClick(TObject*)
{
    const TListItem* selected = ListView1->Selected();
    if (!selected)
        return;

    // A hand-edited wait of more than about 24 days is held at the longest interval a timer has.
    const long long interval = std::clamp(StrToNumber(WaitTime->Caption()) * 1000LL, (long long)INT_MIN,
                                          (long long)INT_MAX);
    Timer2->SetInterval(static_cast<int>(interval));
    m_process.CurrentPath = dos::FlattenPath(m_process.CurrentPath);
    m_process.CaptureFileName = CaptureFileOf(m_process.CurrentPath);

    const std::string caption = selected->Caption();
    const bool isFolder = selected->SubItem(TypeField) == FolderType;
    const std::string extension = LaunchExtension(caption);
    // A name without an extension arms no capture: it would match the list's empty cells, and the
    // picture of that program would be filed under the document clicked before it.
    const bool capture = !extension.empty() && Listed(*CapNames, extension);
    const std::string fullPath = PathInCurrentFolder(caption);

    platform::IClassesRoot& fileTypes = m_process.Host.FileTypes();
    const std::string extKey = "." + extension;
    std::string command = fileTypes.DefaultValue(extKey + "\\shell\\open\\command").value_or(std::string());
    if (fileTypes.KeyExists(extKey) && !fileTypes.KeyExists(extKey + "\\DefaultIcon")) {
        std::string className = fileTypes.DefaultValue(extKey).value_or(std::string());
        command = fileTypes.DefaultValue(className + "\\shell\\open\\command").value_or(std::string());
    }
    const std::string commandLine = CommandLine(command, fullPath);

    platform::IProcesses& programs = m_process.Host.Programs();
    platform::StartedProcess started = programs.CreateProcess(commandLine);
    if (started.started) {
        programs.WaitForInputIdle(started, platform::InfiniteWait);
        if (capture) {
            Timer2->SetEnabled(true);
            Mark->SetColor(clBlue);
        }
        return;
    }
    if (isFolder)
        DirectoryListBox1->SetDirectory(commandLine);
    else
        Application()->MessageBox("アプリケーションを起動できません！", "Error", mbOk);
}

void TImageForm::ListView1KeyUp(TObject* sender, uint16_t& key, TShiftState)
{
    if (key == vk::Return)
        ListView1DblClick(sender);
    else
        ListView1Click(sender);
}

}  // namespace orvane
