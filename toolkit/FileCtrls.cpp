#include "toolkit/FileCtrls.h"

#include "toolkit/Application.h"
#include "toolkit/Exception.h"

namespace tk {

namespace {

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

bool IsLead(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool SameFolder(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (IsLead(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1])
                return false;
            ++i;
        } else if (Upper(a[i]) != Upper(b[i])) {
            return false;
        }
    }
    return true;
}

// "C:\a\b" as its folders: "C:\", "a", "b". A backslash that is the second byte of a double-byte
// character separates nothing.
std::vector<std::string> PathParts(const std::string& path)
{
    std::vector<std::string> parts;
    if (path.size() < 2)
        return parts;
    parts.push_back(path.substr(0, 2) + "\\");
    std::string current;
    for (size_t i = 2; i < path.size(); ++i) {
        if (IsLead(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
            current += path[i];
            current += path[++i];
        } else if (path[i] == '\\') {
            if (!current.empty())
                parts.push_back(current);
            current.clear();
        } else {
            current += path[i];
        }
    }
    if (!current.empty())
        parts.push_back(current);
    return parts;
}

std::string Join(const std::string& folder, const std::string& name)
{
    return folder.back() == '\\' ? folder + name : folder + "\\" + name;
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
    if (path.empty() || SameFolder(path, m_directory))
        return;
    IFolders* folders = Folders();
    if (!folders)
        return;
    if (!folders->SetCurrentDirectory(path))
        throw EInOutError("Cannot open the folder " + path);
    m_directory = folders->CurrentDirectory();
    BuildList();
    if (OnChange)
        OnChange(this);
}

void TDirectoryListBox::SetDrive(char drive)
{
    if (Upper(drive) == Upper(Drive()))
        return;
    if (IFolders* folders = Folders())
        SetDirectory(folders->DriveDirectory(Upper(drive)));
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
    for (const std::string& part : PathParts(m_directory)) {
        path = path.empty() ? part : Join(path, part);
        m_items.push_back({part, path, level++, true});
    }
    if (IFolders* folders = Folders(); folders && !m_items.empty())
        for (const std::string& name : folders->SubFolders(m_directory))
            m_items.push_back({name, Join(m_directory, name), level, false});
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
        m_items.push_back(std::string(1, char(drive - 'A' + 'a')) + ":" + (label.empty() ? "" : " " + label));
    }
    std::string current = folders->CurrentDirectory();
    if (!current.empty())
        m_drive = Upper(current[0]);
    if (ComboPeer())
        ComboPeer()->ItemsChanged();
}

void TDriveComboBox::SetDrive(char drive)
{
    drive = Upper(drive);
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
    RunHandler([&] {
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
