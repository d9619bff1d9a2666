#pragma once

#include <QIcon>

#include <cstdint>
#include <vector>

namespace tk {
class TImageList;
}

namespace qtui {

// The images of an image list as icons, each made from its pixels when it is first asked for and
// made again when those pixels change. The list itself is not watched (its one change event
// belongs to the program), so every request compares the image with the copy the icon was made
// from: a few hundred bytes for each row painted, and never a stale icon after a listing has
// emptied the list and filled it again.
class ImageListIcons {
public:
    // The icon of image `index`; a null icon without a list or for a bad index.
    QIcon Icon(const tk::TImageList* list, int index);

private:
    struct Entry {
        int width = 0;
        int height = 0;
        std::vector<uint32_t> pixels;
        QIcon icon;
    };

    const tk::TImageList* m_list = nullptr;
    std::vector<Entry> m_entries;
};

}  // namespace qtui
