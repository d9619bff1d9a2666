#pragma once

#include "toolkit/Component.h"
#include "toolkit/Graphics.h"

#include <functional>
#include <vector>

namespace tk {

// Images of one fixed size, addressed by index. Every image added is scaled to that size.
class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Sets the image size; the list is emptied.
    void SetSize(int width, int height);

    int Count() const { return static_cast<int>(m_images.size()); }
    // Appends the graphic scaled to the list's size and returns its index; an empty graphic is
    // not added (-1).
    int Add(const TGraphic& graphic);
    // Appends a copy of another list's image, scaled to this list's size; -1 for a bad index.
    int AddImage(const TImageList& source, int index);
    void Clear();
    // The image at the index; an empty icon for a bad index.
    const TIcon& Image(int index) const;
    // Draws image `index` on the canvas at (x, y).
    void Draw(TCanvas& canvas, int x, int y, int index) const;

    // Runs after every change; list views that show the images repaint.
    std::function<void()> OnChange;

    void DescribeProperties(TPropertyList& list) const override;

private:
    int Append(TIcon image);
    void Changed();

    int m_width = 16;
    int m_height = 16;
    std::vector<TIcon> m_images;
};

// Scales straight-alpha pixels to another size: averaging the covered area when shrinking,
// interpolating when growing.
std::vector<uint32_t> ScalePixels(const std::vector<uint32_t>& pixels, int width, int height, int newWidth,
                                  int newHeight);

}  // namespace tk
