#include "toolkit/Image.h"

#include "toolkit/Application.h"

namespace tk {

TImage::TImage(TComponent* owner) : TControl(owner)
{
    SetBounds(0, 0, 105, 105);
    m_picture.OnChange = [this] { PictureChanged(); };
    if (Application())
        m_picture.SetPictureFormats(Application()->PictureFormats());
}

void TImage::SetAutoSize(bool autoSize)
{
    if (m_autoSize == autoSize)
        return;
    m_autoSize = autoSize;
    PictureChanged();
}

void TImage::SetStretch(bool stretch)
{
    if (m_stretch == stretch)
        return;
    m_stretch = stretch;
    if (ImagePeer())
        ImagePeer()->SetStretch(stretch);
}

void TImage::PictureChanged()
{
    if (m_autoSize && m_picture.Width() > 0 && m_picture.Height() > 0)
        SetBounds(Left(), Top(), m_picture.Width(), m_picture.Height());
    if (m_peer)
        m_peer->Invalidate();
}

std::unique_ptr<TControlPeer> TImage::MakePeer(IPeerFactory& factory)
{
    return factory.CreatePeer(*this);
}

void TImage::InitializePeer()
{
    ImagePeer()->SetStretch(m_stretch);
    TControl::InitializePeer();
    m_peer->Invalidate();
}

void TImage::DescribeProperties(TPropertyList& list) const
{
    TControl::DescribeProperties(list);
    list.Add("Picture", TPropertyValue::Picture(m_picture.Width(), m_picture.Height()));
    list.Add("AutoSize", TPropertyValue::Boolean(m_autoSize));
    list.Add("Stretch", TPropertyValue::Boolean(m_stretch));
}

}  // namespace tk
