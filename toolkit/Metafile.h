#pragma once

// A metafile picture (WMF or EMF): the records read from its file and its natural size in
// pixels. The component model draws no vectors, so the pixels come from a renderer that the
// back end provides (IMetafileRenderer, see Services.h): the first time they are asked for, the
// records are drawn at the natural size, and the result is kept. Without a renderer the picture
// keeps its size and is transparent.

#include "toolkit/Graphics.h"

#include <memory>

namespace formats {
struct Metafile;
}

namespace tk {

class IMetafileRenderer;

class TMetafile : public TGraphic {
public:
    TMetafile(std::shared_ptr<const formats::Metafile> records, int width, int height, IMetafileRenderer* renderer);

    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    const formats::Metafile& Records() const { return *m_records; }
    IMetafileRenderer* Renderer() const { return m_renderer; }

    const std::vector<uint32_t>& Pixels() const override;
    void Draw(TCanvas& canvas, int x, int y) const override;
    std::unique_ptr<TGraphic> Clone() const override;

private:
    std::shared_ptr<const formats::Metafile> m_records;
    int m_width = 0;
    int m_height = 0;
    IMetafileRenderer* m_renderer = nullptr;
    mutable std::vector<uint32_t> m_pixels;
    mutable bool m_rendered = false;
};

}  // namespace tk
