#pragma once

// Watches the folder the program shows for entries that other programs create, delete, rename
// or write, without blocking: the owner asks now and then whether anything happened (inotify,
// read without waiting).

#include <string>

namespace platform {

class FolderWatch {
public:
    FolderWatch();
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Watches the folder (host path) instead of the one before. False where it cannot: no
    // inotify, no such folder, or the user's limit of watches reached; nothing is watched then.
    bool Watch(const std::string& hostFolder);
    const std::string& Folder() const { return m_folder; }
    // Whether anything happened in the folder since the last call; takes every waiting event.
    bool TakeChanges();

private:
    int m_fd = -1;
    int m_watch = -1;
    std::string m_folder;
};

}  // namespace platform
