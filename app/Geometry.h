#pragma once

// The measures the main window's rectangles are cut by, in pixels.

namespace orvane {

// How thick a door is: the bar between two rectangles that the user drags.
constexpr int DoorThickness = 3;
// How thick a pane's scroll bar is.
constexpr int ScrollBarThickness = 10;
// The least a dragged door keeps from the door or edge before it.
constexpr int MinimumPaneGap = 10;

}  // namespace orvane
