#pragma once

// The back end's metafile renderer: draws a metafile's records with QPainter (MetafilePlayer)
// into an image of the size asked for.

#include "toolkit/Services.h"

#include <QImage>

namespace qtui {

// The metafile drawn to fill width x height pixels, transparent where nothing is drawn; at 96
// pixels per inch, the resolution the records are mapped for.
QImage RenderMetafile(const formats::Metafile& metafile, int width, int height);

class MetafileRenderer : public tk::IMetafileRenderer {
public:
    std::vector<uint32_t> Render(const formats::Metafile& metafile, int width, int height) override;
};

}  // namespace qtui
