#pragma once

#include "qt/WidgetPeer.h"

#include <QImage>
#include <QWidget>

namespace tk {
class TImage;
}

namespace qtui {

// Paints a picture at its top-left corner, or stretched over the whole control. Where there is
// no picture, or the picture is transparent, the parent shows through.
class ImageWidget : public QWidget {
public:
    explicit ImageWidget(QWidget* parent);

    const QImage& Image() const { return m_image; }
    void SetImage(QImage image);
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool stretch);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
    bool m_stretch = false;
};

class ImagePeer : public ControlPeer<tk::TImagePeer> {
public:
    ImagePeer(tk::TImage& image, QtBackend& backend);

    void SetStretch(bool) override { Changed(StretchChange); }

protected:
    void Apply(unsigned changes) override;

private:
    static constexpr unsigned StretchChange = OwnChange<0>;

    tk::TImage& m_image;
    ImageWidget* m_imageWidget;
};

}  // namespace qtui
