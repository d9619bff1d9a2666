#pragma once

// The viewer panes. The selected file is shown in one of three arrangements: in the detached
// window, in the pane below the list or in the pane right of it. Each has the same set of
// components, described once here; the current arrangement's set receives the file's content,
// and every set shows or hides its parts alike.

#include "common/Design.h"
#include "toolkit/Color.h"
#include "toolkit/Html.h"
#include "toolkit/Image.h"
#include "toolkit/RichEdit.h"
#include "toolkit/ScrollBar.h"
#include "toolkit/StdCtrls.h"

namespace orvane {

// The arrangements, numbered as the settings store them. None until the settings have chosen one.
enum class TArrangement { None = -1, Separate = 0, Under = 1, Right = 2 };

// The parts of a pane, for saying which of them a display shows and which it hides.
enum TPanePart : unsigned {
    PicturePart = 1u << 0,
    NoticePart = 1u << 1,       // the large label that says why nothing is shown
    ProductNamePart = 1u << 2,  // the small red label under it
    RichEditPart = 1u << 3,
    HtmlPart = 1u << 4,
    MediaPart = 1u << 5,        // the panel with play, stop and the status
    BarsPart = 1u << 6,         // the docked panes' scroll bars
    AllPaneParts = (1u << 7) - 1,
};

struct TViewerPane {
    // What the parts lie on; a video is drawn there.
    tk::TWinControl* surface = nullptr;
    tk::TImage* picture = nullptr;
    tk::TLabel* notice = nullptr;
    tk::TLabel* productName = nullptr;
    tk::TRichEdit* richEdit = nullptr;
    tk::THTML* html = nullptr;
    MediaPanel media{};
    // A docked pane pans a large picture with bars of its own; the window scrolls itself and has
    // none.
    tk::TScrollBar* horizontal = nullptr;
    tk::TScrollBar* vertical = nullptr;
    // The colour of plain text in the rich edit.
    tk::TColor plainTextColor = tk::clWindowText;

    // Shows the parts in `shown`, then hides those in `hidden`; the others stay as they are.
    void SetParts(unsigned shown, unsigned hidden) const;
};

// Why a docked pane's bars are fitted: for a picture just shown (the bars go back to its
// top-left corner), or for a pane whose size changed (the bars' ranges and pages follow the pane,
// and a picture that no longer overflows an edge goes back to it).
//
// A door being dragged re-cuts a pane too, but fits only the bar along the length it changes
// (DoorDrag): as for a new pane size, except that a picture no longer wider than the pane keeps its
// place sideways, as it always has.
enum class TBarFit { NewPicture, PaneSize, DoorDrag };
// Which bar is fitted first. It matters only where a shorter range moves a bar's position back:
// that pans at once, and the pan sizes the bar by whether the other one shows at that moment.
// The lower pane has always fitted its vertical bar first and the right pane its horizontal one.
enum class TFirstBar { Horizontal, Vertical };

// Places a docked pane's two bars for its picture: the horizontal one along the pane's bottom,
// the vertical one along its right edge, each shown only where the picture overflows the pane
// and 10 pixels shorter while the other one shows.
void FitBars(const TViewerPane& pane, TBarFit fit, TFirstBar first);

// Fits the one bar of a docked pane along the length a dragged door changes: the two bars are
// placed, the bar's large change is half its length before the drag, the bar shows only where the
// picture overflows, the bar across it leaves room for it, and then its own length leaves room for
// the bar across it.
void FitDraggedBar(const TViewerPane& pane, tk::TScrollBarKind kind);

// Pans the picture to the position of one of the pane's bars (its OnChange). The maximum is set
// here, so a new picture (position back at 0) first runs against the old maximum; from the first
// change on the bar pans from 0 to the overflow.
void PanPicture(const TViewerPane& pane, tk::TScrollBar& bar);

}  // namespace orvane
