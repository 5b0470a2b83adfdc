// The screen and window measures the game lays itself out by, as the nearest
// equivalents of the Windows system metrics. Every value is in logical
// (96-dpi) pixels and is measured anew on each call.
#pragma once

namespace SystemMetrics {

int screenWidth();          // SM_CXSCREEN: width of the primary screen
int screenHeight();         // SM_CYSCREEN: height of the primary screen
int fullScreenHeight();     // SM_CYFULLSCREEN: client height of a full-screen window
                            // (available screen height less a caption)
int menuBarHeight();        // SM_CYMENU: height of a one-line menu bar
int captionHeight();        // SM_CYCAPTION: height of a window caption
int smallCaptionHeight();   // SM_CYSMCAPTION: height of a tool window's caption
int frameSize();            // SM_CYFRAME: thickness of a sizeable window's frame

// (fullScreenHeight − menuBarHeight) div 23: the side of a square at which a
// 21-row grid and the author-title strip fit the screen. At least 8.
int defaultSquareSize();

} // namespace SystemMetrics
