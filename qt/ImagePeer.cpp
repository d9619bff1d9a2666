#include "qt/ImagePeer.h"

#include "toolkit/Image.h"

#include <QPainter>

namespace qtui {

namespace {
// A copy of the graphic's pixels (0xAARRGGBB, straight alpha), which is QImage's ARGB32.
QImage ToQImage(const tk::TGraphic* graphic)
{
    if (!graphic || graphic->Empty())
        return QImage();
    const std::vector<uint32_t>& pixels = graphic->Pixels();
    int width = graphic->Width();
    int height = graphic->Height();
    if (pixels.size() < size_t(width) * size_t(height))
        return QImage();
    QImage view(reinterpret_cast<const uchar*>(pixels.data()), width, height, width * 4, QImage::Format_ARGB32);
    return view.copy();
}
}  // namespace

ImageWidget::ImageWidget(QWidget* parent) : QWidget(parent) {}

void ImageWidget::SetImage(QImage image)
{
    m_image = std::move(image);
    update();
}

void ImageWidget::SetStretch(bool stretch)
{
    if (m_stretch == stretch)
        return;
    m_stretch = stretch;
    update();
}

void ImageWidget::paintEvent(QPaintEvent*)
{
    if (m_image.isNull())
        return;
    QPainter painter(this);
    if (m_stretch)
        painter.drawImage(rect(), m_image);
    else
        painter.drawImage(0, 0, m_image);
}

ImagePeer::ImagePeer(tk::TImage& image, QtBackend& backend)
    : ControlPeer(image, backend), m_image(image), m_imageWidget(new ImageWidget(ParentContainer()))
{
    Attach(m_imageWidget, InputRouter::ClickStyle::Released);
}

void ImagePeer::Apply(unsigned changes)
{
    WidgetPeer::Apply(changes);
    if (changes & ContentChange)
        m_imageWidget->SetImage(ToQImage(m_image.Picture().Graphic()));
    if (changes & StretchChange)
        m_imageWidget->SetStretch(m_image.Stretch());
}

}  // namespace qtui
