#include "qt/ImageListIcons.h"

#include "qt/Convert.h"
#include "toolkit/ImageList.h"

#include <QPixmap>

namespace qtui {

QIcon ImageListIcons::Icon(const tk::TImageList* list, int index)
{
    if (list != m_list) {
        m_list = list;
        m_entries.clear();
    }
    if (!list || index < 0 || index >= list->Count())
        return QIcon();
    if (index >= static_cast<int>(m_entries.size()))
        m_entries.resize(index + 1);
    Entry& entry = m_entries[index];
    const tk::TIcon& image = list->Image(index);
    if (entry.width != image.Width() || entry.height != image.Height() || entry.pixels != image.Pixels()) {
        entry.width = image.Width();
        entry.height = image.Height();
        entry.pixels = image.Pixels();
        QImage picture = ToQImage(&image);
        entry.icon = picture.isNull() ? QIcon() : QIcon(QPixmap::fromImage(picture));
    }
    return entry.icon;
}

}  // namespace qtui
