#pragma once

// A folder of files written by a test, removed with everything in it at the end of the test.

#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

class TempTree {
public:
    TempTree()
    {
        char pattern[] = "/tmp/orvane-test-XXXXXX";
        const char* made = mkdtemp(pattern);
        m_root = made ? made : "";
    }
    ~TempTree()
    {
        if (!m_root.empty())
            nftw(m_root.c_str(), Remove, 16, FTW_DEPTH | FTW_PHYS);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& Root() const { return m_root; }
    std::string Path(const std::string& relative) const { return m_root + "/" + relative; }

    // Writes a file below the root, making the folders on its way.
    void Write(const std::string& relative, const std::string& content) const
    {
        std::string path = Path(relative);
        for (size_t slash = m_root.size() + 1; (slash = path.find('/', slash)) != std::string::npos; ++slash)
            mkdir(path.substr(0, slash).c_str(), 0755);
        if (FILE* file = std::fopen(path.c_str(), "wb")) {
            std::fwrite(content.data(), 1, content.size(), file);
            std::fclose(file);
        }
    }

private:
    static int Remove(const char* path, const struct stat*, int, struct FTW*) { return std::remove(path); }

    std::string m_root;
};
