// How large the window draws the preview's symbol: the zoom is the screen's
// alone, the font table's point sizes stay what copy, print and export use.
#pragma once

namespace bcfont::app {

// A symbol measured in modules, quiet zones included.
struct SymbolExtent {
    double widthModules = 0;
    double heightModules = 0;
};

// Device pixels per module for `symbol` in an area of `width` by `height`
// device pixels: the largest whole number that fits, so every bar and space
// is whole pixels and a scanner reads the screen; below one pixel per module
// (very long data in a small window) the largest fraction that fits, so the
// symbol is whole and never needs a scroll bar. 0 for an empty symbol or area.
double devicePixelsPerModule(SymbolExtent symbol, double width, double height);

}  // namespace bcfont::app
