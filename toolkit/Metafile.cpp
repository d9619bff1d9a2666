#include "toolkit/Metafile.h"

#include "toolkit/Services.h"

#include <algorithm>

namespace tk {

TMetafile::TMetafile(std::shared_ptr<const formats::Metafile> records, int width, int height,
                     IMetafileRenderer* renderer)
    : m_records(std::move(records)), m_width(std::max(width, 0)), m_height(std::max(height, 0)), m_renderer(renderer)
{
}

const std::vector<uint32_t>& TMetafile::Pixels() const
{
    if (m_rendered)
        return m_pixels;
    m_rendered = true;
    size_t count = size_t(m_width) * size_t(m_height);
    if (m_renderer && m_records)
        m_pixels = m_renderer->Render(*m_records, m_width, m_height);
    if (m_pixels.size() != count)
        m_pixels.assign(count, 0);
    return m_pixels;
}

void TMetafile::Draw(TCanvas& canvas, int x, int y) const
{
    canvas.BlendPixels(x, y, m_width, m_height, Pixels());
}

std::unique_ptr<TGraphic> TMetafile::Clone() const
{
    auto copy = std::make_unique<TMetafile>(m_records, m_width, m_height, m_renderer);
    copy->m_pixels = m_pixels;
    copy->m_rendered = m_rendered;
    return copy;
}

}  // namespace tk
