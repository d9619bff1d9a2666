#include "toolkit/FileCtrls.h"

#include "toolkit/Application.h"
#include "toolkit/Exception.h"

#include "dos/DosPath.h"
#include "dos/DosText.h"

namespace tk {

using dos::AsciiLower;
using dos::AsciiUpper;
using dos::JoinPath;

namespace {
// The folders of a path, the drive's root first: "C:\a\b" gives "C:\", "a", "b".
std::vector<std::string> FolderParts(const std::string& path)
{
    std::vector<std::string> parts = dos::PathParts(path);
    if (!parts.empty() && dos::HasDriveLetter(parts.front()))
        parts.front() += dos::PathSeparator;
    return parts;
}
}  // namespace

TDirectoryListBox::TDirectoryListBox(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 145, 97);
    SetColor(clWindow);
    SetTabStop(true);
    if (IFolders* folders = Folders()) {
        m_directory = folders->CurrentDirectory();
        BuildList();
    }
}

IFolders* TDirectoryListBox::Folders() const
{
    return Application() ? Application()->Folders() : nullptr;
}

void TDirectoryListBox::SetDirectory(const std::string& path)
{
    if (path.empty() || dos::SameIgnoringAsciiCase(path, m_directory))
        return;
    IFolders* folders = Folders();
    if (!folders)
        return;
    if (!folders->SetCurrentDirectory(path))
        throw EInOutError("フォルダ \"" + path + "\" を開けません。");
    m_directory = folders->CurrentDirectory();
    BuildList();
    if (OnChange)
        OnChange(this);
}

void TDirectoryListBox::SetDrive(char drive)
{
    if (dos::AsciiUpper(drive) == dos::AsciiUpper(Drive()))
        return;
    if (IFolders* folders = Folders())
        SetDirectory(folders->DriveDirectory(dos::AsciiUpper(drive)));
}

int TDirectoryListBox::ItemIndex() const
{
    for (int i = 0; i < static_cast<int>(m_items.size()); ++i)
        if (m_items[i].path == m_directory)
            return i;
    return -1;
}

void TDirectoryListBox::BuildList()
{
    m_items.clear();
    std::string path;
    int level = 0;
    for (const std::string& part : FolderParts(m_directory)) {
        path = path.empty() ? part : dos::JoinPath(path, part);
        m_items.push_back({part, path, level++, true});
    }
    if (IFolders* folders = Folders(); folders && !m_items.empty())
        for (const std::string& name : folders->SubFolders(m_directory))
            m_items.push_back({name, dos::JoinPath(m_directory, name), level, false});
    if (ListPeer())
        ListPeer()->ItemsChanged();
}

void TDirectoryListBox::InputOpenItem(int index)
{
    RunHandler([&] {
        if (index >= 0 && index < static_cast<int>(m_items.size()))
            SetDirectory(m_items[index].path);
    });
}

void TDirectoryListBox::InputDirectory(const std::string& path)
{
    RunHandler([&] { SetDirectory(path); });
}

std::unique_ptr<TControlPeer> TDirectoryListBox::MakePeer(IPeerFactory& factory)
{
    return factory.CreatePeer(*this);
}

void TDirectoryListBox::InitializePeer()
{
    ListPeer()->ItemsChanged();
    TWinControl::InitializePeer();
}

void TDirectoryListBox::DescribeProperties(TPropertyList& list) const
{
    TWinControl::DescribeProperties(list);
    list.Add("Directory", TPropertyValue::Text(m_directory));
    list.Add("Drive", TPropertyValue::Text(std::string(1, Drive())));
    list.Add("Items.Count", TPropertyValue::Integer(static_cast<int64_t>(m_items.size())));
    list.Add("ItemIndex", TPropertyValue::Integer(ItemIndex()));
}

TDriveComboBox::TDriveComboBox(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 145, 19);
    SetColor(clWindow);
    SetTabStop(true);
    Refresh();
}

void TDriveComboBox::Refresh()
{
    m_drives.clear();
    m_items.clear();
    IFolders* folders = Application() ? Application()->Folders() : nullptr;
    if (!folders)
        return;
    for (char drive : folders->Drives()) {
        m_drives.push_back(drive);
        std::string label = folders->DriveLabel(drive);
        m_items.push_back(std::string(1, dos::AsciiLower(drive)) + ":" + (label.empty() ? "" : " " + label));
    }
    std::string current = folders->CurrentDirectory();
    if (!current.empty())
        m_drive = dos::AsciiUpper(current[0]);
    if (ComboPeer())
        ComboPeer()->ItemsChanged();
}

void TDriveComboBox::SetDrive(char drive)
{
    drive = dos::AsciiUpper(drive);
    if (m_drive == drive)
        return;
    m_drive = drive;
    if (ComboPeer())
        ComboPeer()->ItemsChanged();
    if (m_dirList)
        m_dirList->SetDrive(drive);
    if (OnChange)
        OnChange(this);
}

void TDriveComboBox::SetDirList(TDirectoryListBox* list)
{
    m_dirList = list;
}

int TDriveComboBox::ItemIndex() const
{
    for (int i = 0; i < static_cast<int>(m_drives.size()); ++i)
        if (m_drives[i] == m_drive)
            return i;
    return -1;
}

void TDriveComboBox::InputChoose(int index)
{
    // Picking from the list is a click on the box, and the click comes before the drive changes.
    RunHandler([&] {
        if (OnClick)
            OnClick(this);
        if (index >= 0 && index < static_cast<int>(m_drives.size()))
            SetDrive(m_drives[index]);
    });
}

std::unique_ptr<TControlPeer> TDriveComboBox::MakePeer(IPeerFactory& factory)
{
    return factory.CreatePeer(*this);
}

void TDriveComboBox::InitializePeer()
{
    ComboPeer()->ItemsChanged();
    TWinControl::InitializePeer();
}

void TDriveComboBox::DescribeProperties(TPropertyList& list) const
{
    TWinControl::DescribeProperties(list);
    list.Add("Drive", TPropertyValue::Text(std::string(1, m_drive)));
    list.Add("Text", TPropertyValue::Text(ItemIndex() >= 0 ? m_items[ItemIndex()] : std::string()));
    list.Add("Items.Count", TPropertyValue::Integer(static_cast<int64_t>(m_items.size())));
    list.Add("ItemIndex", TPropertyValue::Integer(ItemIndex()));
}

}  // namespace tk
