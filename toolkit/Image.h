#pragma once

#include "toolkit/Control.h"
#include "toolkit/Graphics.h"

namespace tk {

// Shows a picture at its top-left corner. With AutoSize it takes the picture's size.
class TImage : public TControl {
public:
    explicit TImage(TComponent* owner);

    TPicture& Picture() { return m_picture; }
    const TPicture& Picture() const { return m_picture; }
    // The canvas of the picture's bitmap (a picture of another kind becomes a bitmap).
    TCanvas& Canvas() { return m_picture.Bitmap().Canvas(); }

    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool autoSize);
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool stretch);

    void DescribeProperties(TPropertyList& list) const override;

protected:
    std::unique_ptr<TControlPeer> MakePeer(IPeerFactory& factory) override;
    void InitializePeer() override;
    TImagePeer* ImagePeer() const { return static_cast<TImagePeer*>(m_peer.get()); }

private:
    void PictureChanged();

    TPicture m_picture;
    bool m_autoSize = false;
    bool m_stretch = false;
};

}  // namespace tk
