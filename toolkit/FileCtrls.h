#pragma once

// The folder list and the drive box: the folders of the current drive as a tree path, and the
// drives. Both read the folders through the application's folder service.

#include "toolkit/WinControl.h"

#include <string>
#include <vector>

namespace tk {

class IFolders;
class TDriveComboBox;

struct TFolderItem {
    std::string caption;  // the folder's name, or the drive's root ("C:\")
    std::string path;     // its full path
    int level = 0;        // 0 for the root
    bool open = false;    // on the path to the current folder (an open folder icon)
};

// The current folder's path from the root, one line a folder, then the current folder's
// subfolders. Setting the directory makes it the process's current folder.
class TDirectoryListBox : public TWinControl {
public:
    explicit TDirectoryListBox(TComponent* owner);

    const std::string& Directory() const { return m_directory; }
    // Enters the folder: it becomes the process's current folder, the list is built anew and
    // OnChange runs. The same folder again (letters compared without case) changes nothing. A
    // folder that cannot be entered raises EInOutError.
    void SetDirectory(const std::string& path);
    char Drive() const { return m_directory.empty() ? '\0' : m_directory[0]; }
    // Moves to the drive's current folder.
    void SetDrive(char drive);
    const std::vector<TFolderItem>& Items() const { return m_items; }
    // The line of the current folder.
    int ItemIndex() const;

    TNotifyEvent OnChange;

    // The user picked a folder: a line of the list, or a path (as the probe's `dir` does).
    void InputOpenItem(int index);
    void InputDirectory(const std::string& path);

    void DescribeProperties(TPropertyList& list) const override;

protected:
    std::unique_ptr<TControlPeer> MakePeer(IPeerFactory& factory) override;
    void InitializePeer() override;
    TDirectoryListBoxPeer* ListPeer() const { return static_cast<TDirectoryListBoxPeer*>(m_peer.get()); }

private:
    IFolders* Folders() const;
    void BuildList();

    std::string m_directory;
    std::vector<TFolderItem> m_items;
};

// The drives, each as its lower-case letter, a colon and its label. Choosing one moves the
// linked folder list to that drive's current folder.
class TDriveComboBox : public TWinControl {
public:
    explicit TDriveComboBox(TComponent* owner);

    char Drive() const { return m_drive; }
    void SetDrive(char drive);
    TDirectoryListBox* DirList() const { return m_dirList; }
    void SetDirList(TDirectoryListBox* list);
    const std::vector<char>& Drives() const { return m_drives; }
    const std::vector<std::string>& Items() const { return m_items; }
    int ItemIndex() const;
    // Reads the drives again.
    void Refresh();

    TNotifyEvent OnChange;

    // The user chose the item at the index.
    void InputChoose(int index);

    void DescribeProperties(TPropertyList& list) const override;

protected:
    std::unique_ptr<TControlPeer> MakePeer(IPeerFactory& factory) override;
    void InitializePeer() override;
    TDriveComboBoxPeer* ComboPeer() const { return static_cast<TDriveComboBoxPeer*>(m_peer.get()); }

private:
    char m_drive = '\0';
    TDirectoryListBox* m_dirList = nullptr;
    std::vector<char> m_drives;
    std::vector<std::string> m_items;
};

}  // namespace tk
