// The viewer panes: the parts of each, the arrangement they belong to, and panning a picture
// larger than a docked pane with the pane's own pair of scroll bars. A bar's position is the pan
// offset: the picture's edge stands at minus the position.

#include "viewers/Panes.h"
#include "common/Geometry.h"

namespace orvane {

using namespace tk;

void TViewerPane::SetParts(unsigned shown, unsigned hidden) const
{
    struct Part {
        TPanePart part;
        TControl* controls[2];
    };
    const Part parts[] = {
        {PicturePart, {picture, nullptr}},
        {NoticePart, {notice, nullptr}},
        {ProductNamePart, {productName, nullptr}},
        {RichEditPart, {richEdit, nullptr}},
        {HtmlPart, {html, nullptr}},
        {MediaPart, {media.panel, nullptr}},
        {BarsPart, {horizontal, vertical}},
    };
    for (const bool visible : {true, false}) {
        const unsigned change = visible ? shown : hidden;
        for (const Part& part : parts) {
            if (!(change & part.part))
                continue;
            for (TControl* control : part.controls)
                if (control)
                    control->SetVisible(visible);
        }
    }
}

namespace {

// One bar for the picture's overflow along it; the bar across it leaves room for it.
void FitBar(const TViewerPane& pane, TScrollBarKind kind, TBarFit fit)
{
    const bool vertical = kind == TScrollBarKind::sbVertical;
    TScrollBar& bar = vertical ? *pane.vertical : *pane.horizontal;
    TScrollBar& across = vertical ? *pane.horizontal : *pane.vertical;
    TImage& picture = *pane.picture;
    const int paneLength = vertical ? pane.surface->Height() : pane.surface->Width();
    const int acrossLength = vertical ? pane.surface->Width() : pane.surface->Height();
    const int overflow = (vertical ? picture.Picture().Height() : picture.Picture().Width()) - paneLength;
    const auto setAcrossLength = [&](int length) { vertical ? across.SetWidth(length) : across.SetHeight(length); };
    if (overflow > 0) {
        bar.Show();
        setAcrossLength(acrossLength - ScrollBarThickness);
        if (fit != TBarFit::NewPicture)
            bar.SetMax(overflow);
    } else {
        setAcrossLength(acrossLength);
        bar.Hide();
        if (fit == TBarFit::PaneSize || (fit == TBarFit::DoorDrag && vertical))
            vertical ? picture.SetTop(0) : picture.SetLeft(0);
    }
}

// Where the two bars lie: along the pane's bottom and its right edge.
void PlaceBars(const TViewerPane& pane)
{
    pane.horizontal->SetLeft(0);
    pane.horizontal->SetTop(pane.surface->Height() - ScrollBarThickness);
    pane.vertical->SetLeft(pane.surface->Width() - ScrollBarThickness);
    pane.vertical->SetTop(0);
}

}  // namespace

void FitBars(const TViewerPane& pane, TBarFit fit, TFirstBar first)
{
    TScrollBar& horizontal = *pane.horizontal;
    TScrollBar& vertical = *pane.vertical;
    const int W = pane.surface->Width();
    PlaceBars(pane);
    if (fit == TBarFit::PaneSize) {
        horizontal.SetMin(0);
        vertical.SetMin(0);
        horizontal.SetLargeChange(W / 2);
        vertical.SetLargeChange(vertical.Height() / 2);
    } else {
        horizontal.SetPosition(0);
        vertical.SetPosition(0);
    }
    if (first == TFirstBar::Horizontal) {
        FitBar(pane, TScrollBarKind::sbHorizontal, fit);
        FitBar(pane, TScrollBarKind::sbVertical, fit);
    } else {
        FitBar(pane, TScrollBarKind::sbVertical, fit);
        FitBar(pane, TScrollBarKind::sbHorizontal, fit);
    }
}

void FitDraggedBar(const TViewerPane& pane, TScrollBarKind kind)
{
    const bool vertical = kind == TScrollBarKind::sbVertical;
    TScrollBar& bar = vertical ? *pane.vertical : *pane.horizontal;
    const TScrollBar& across = vertical ? *pane.horizontal : *pane.vertical;
    PlaceBars(pane);
    bar.SetMin(0);
    bar.SetLargeChange((vertical ? bar.Height() : bar.Width()) / 2);
    FitBar(pane, kind, TBarFit::DoorDrag);
    const int paneLength = vertical ? pane.surface->Height() : pane.surface->Width();
    const int length = across.Visible() ? paneLength - ScrollBarThickness : paneLength;
    vertical ? bar.SetHeight(length) : bar.SetWidth(length);
}

void PanPicture(const TViewerPane& pane, TScrollBar& bar)
{
    const bool vertical = &bar == pane.vertical;
    TImage& image = *pane.picture;
    const TScrollBar& otherBar = vertical ? *pane.horizontal : *pane.vertical;
    if (vertical)
        bar.SetTop(0);
    else
        bar.SetLeft(0);
    bar.SetMin(0);
    const int pictureLength = vertical ? image.Picture().Height() : image.Picture().Width();
    const int paneLength = vertical ? pane.surface->Height() : pane.surface->Width();
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
    const int length = otherBar.Visible() ? paneLength - ScrollBarThickness : paneLength;
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

}  // namespace orvane
