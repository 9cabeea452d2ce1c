#pragma once
// The screens were laid out in twips (1/1440 inch). At 96 dpi one pixel is 15 twips; Qt's
// device-independent pixels are 96-dpi pixels, so the conversion is a plain ratio.
namespace ui {

inline constexpr int twipsPerPixel = 15;

// Twips to pixels, rounded to the nearest pixel (halves away from zero).
constexpr int twips(int tw) {
    return tw >= 0 ? (tw + twipsPerPixel / 2) / twipsPerPixel
                   : -((-tw + twipsPerPixel / 2) / twipsPerPixel);
}

// Pixels to twips.
constexpr int toTwips(int px) {
    return px * twipsPerPixel;
}

} // namespace ui
