// Panning a picture larger than its pane with the pane's own pair of scroll bars. A bar's
// position is the pan offset: the picture's edge stands at minus the position.

#include "app/ImageForm.h"

namespace orvane {

using namespace tk;

// The maximum is set here, so a new picture (position back at 0) first runs against the old
// maximum; from the first change on the bar pans from 0 to the overflow.
void TImageForm::PanPicture(TScrollBar& bar, TImage& image, TPanel& pane, TScrollBar& otherBar)
{
    const bool vertical = bar.Kind() == TScrollBarKind::sbVertical;
    if (vertical)
        bar.SetTop(0);
    else
        bar.SetLeft(0);
    bar.SetMin(0);
    const int pictureLength = vertical ? image.Picture().Height() : image.Picture().Width();
    const int paneLength = vertical ? pane.Height() : pane.Width();
    const int overflow = pictureLength - paneLength;
    if (overflow > 0) {
        bar.SetMax(overflow);
    } else {
        if (vertical)
            image.SetTop(0);
        else
            image.SetLeft(0);
        bar.Hide();
    }
    const int length = otherBar.Visible() ? paneLength - 10 : paneLength;
    if (vertical)
        bar.SetHeight(length);
    else
        bar.SetWidth(length);
    bar.SetLargeChange(length / 2);
    if (vertical) {
        image.SetTop(-bar.Position());
        image.SetHeight(pictureLength);
    } else {
        image.SetLeft(-bar.Position());
        image.SetWidth(pictureLength);
    }
}

void TImageForm::UScrollBarYChange(TObject*)
{
    PanPicture(*UScrollBarY, *UImage, *UnderView, *UScrollBarX);
}

void TImageForm::UScrollBarXChange(TObject*)
{
    PanPicture(*UScrollBarX, *UImage, *UnderView, *UScrollBarY);
}

void TImageForm::RScrollBarYChange(TObject*)
{
    PanPicture(*RScrollBarY, *RImage, *RightView, *RScrollBarX);
}

void TImageForm::RScrollBarXChange(TObject*)
{
    PanPicture(*RScrollBarX, *RImage, *RightView, *RScrollBarY);
}

}  // namespace orvane
