#pragma once

// A folder of its own for a test: made fresh in the temporary folder when the tree is made, and
// removed with everything in it when the tree goes. Every test that writes files writes them here.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

class TempTree {
public:
    // `name` goes into the folder's name, so that a folder left by a crash says whose it was.
    explicit TempTree(const std::string& name = "test")
    {
        std::string pattern = (std::filesystem::temp_directory_path() / ("orvane-" + name + "-XXXXXX")).string();
        if (mkdtemp(pattern.data()))
            m_root = pattern;
    }
    ~TempTree()
    {
        std::error_code ignored;
        if (!m_root.empty())
            std::filesystem::remove_all(m_root, ignored);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    // Empty when the folder could not be made.
    const std::string& Root() const { return m_root; }
    std::string Path(const std::string& relative) const { return m_root + "/" + relative; }
    std::filesystem::path operator/(const std::string& relative) const { return std::filesystem::path(m_root) / relative; }

    // Makes a folder below the root, with the folders on its way.
    void Folder(const std::string& relative) const { std::filesystem::create_directories(Path(relative)); }

    // Writes a file below the root, making the folders on its way.
    void Write(const std::string& relative, const std::string& content) const
    {
        const std::filesystem::path path = Path(relative);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
    }

private:
    std::string m_root;
};
