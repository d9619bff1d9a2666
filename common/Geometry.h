#pragma once

// The measures the main window's rectangles are cut by, in pixels.

namespace orvane {

// How thick a door is: the bar between two rectangles that the user drags.
constexpr int DoorThickness = 3;
// How thick a pane's scroll bar is.
constexpr int ScrollBarThickness = 10;
// The least a dragged door keeps from the door or edge before it.
constexpr int MinimumPaneGap = 10;

// The scrolling title of the top band: its type size when the band has two rows and when it has
// one, how far left it scrolls out at each size before it starts again, and where it starts.
constexpr int TwoRowTitleSize = 18;
constexpr int TwoRowTitleWrap = -210;
constexpr int OneRowTitleSize = 10;
constexpr int OneRowTitleWrap = -120;
constexpr int TitleRestart = 40;

}  // namespace orvane
