// Starting the application the desktop associates with the selected file. The services hear of
// the start before and after it, so that the capture of the started window can be armed.

#include "browser/FileList.h"
#include "browser/FileRows.h"
#include "dos/DosPath.h"
#include "dos/DosText.h"
#include "platform/Host.h"
#include "toolkit/Services.h"

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

void TFileList::LaunchSelected()
{
    const TListItem* selected = m_parts.list.Selected();
    if (!selected)
        return;
    if (m_services.launching)
        m_services.launching();

    const std::string caption = selected->Caption();
    const bool isFolder = selected->SubItem(TypeField) == FolderType;
    const std::string extension = LaunchExtension(caption);
    const std::string fullPath = PathInCurrentFolder(caption);

    platform::IClassesRoot& fileTypes = m_services.host.FileTypes();
    const std::string extKey = "." + extension;
    std::string command = fileTypes.DefaultValue(extKey + "\\shell\\open\\command").value_or(std::string());
    if (fileTypes.KeyExists(extKey) && !fileTypes.KeyExists(extKey + "\\DefaultIcon")) {
        std::string className = fileTypes.DefaultValue(extKey).value_or(std::string());
        command = fileTypes.DefaultValue(className + "\\shell\\open\\command").value_or(std::string());
    }
    const std::string commandLine = CommandLine(command, fullPath);

    platform::IProcesses& programs = m_services.host.Programs();
    platform::StartedProcess started = programs.CreateProcess(commandLine);
    if (started.started) {
        programs.WaitForInputIdle(started, platform::InfiniteWait);
        if (m_services.started)
            m_services.started(extension);
        return;
    }
    if (isFolder)
        m_parts.tree.SetDirectory(commandLine);
    else
        m_services.messageBox("アプリケーションを起動できません！", "Error", mbOk);
}

}  // namespace orvane
