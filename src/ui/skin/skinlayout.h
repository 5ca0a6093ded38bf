// The Scale layout of the input window: sizes given for 96 dpi, scaled by the screen's dpi.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>
#include <optional>

namespace vantrelo {

struct TSettings;
struct TSkinLayout;

// The one scaling helper: x pixels at 96 dpi become x * dpi / 96, rounded to nearest.
int ScaleDpi(int px96, int dpi);

// The program only lays out the Scale style: these settings are forced whenever the look applies.
void ForceScaleStyle(TSettings& settings);

struct TScaleInput {
    int dpi = 96;
    int bordersizewindow = 2; // the skin's, in 96-dpi pixels
    int minimumwidth = 0;     // the skin's, in 96-dpi pixels; 0 when unset
    int customwidth = -1;     // the window width the user chose by resizing; -1 when none
    int inputTextHeight = 0;  // text height of the input font in pixels
    bool showcombo = false;
};

// Every rectangle is in the window's client coordinates, except the ones inside the panel,
// which are relative to the panel (edit, icon, arrow, title).
struct TScaleLayout {
    QSize client;
    int border = 0;    // B: the scaled window border
    int width = 0;     // the "width" setting: the input field's nominal width
    QRect panel;
    QRect icon;
    QRect arrow;       // empty when the open-list button is hidden
    QRect edit;
    QRect title;
    int titleFontSize = 8;
    int listWidth = 0;
    int listLeft = 0;
    int listTop = 0;   // from the input window's top
    int listIconPadLeft = 0;
    int listIconPadRight = 0;
};

TScaleLayout ComputeScaleLayout(const TScaleInput& in);
TScaleInput ScaleInputFor(const TSettings& settings, const TSkinLayout& layout, int dpi, int inputTextHeight);

// The input font is never smaller than 15 points in the Scale layout.
int ScaleInputFontSize(int fontsize);

// The open-list button's triangle in a w x h button, pointing up or down.
std::array<QPoint, 3> ArrowTriangle(int w, int h, bool up);

// Window opacity for the active or inactive state: nothing when blending is off (255 or more).
std::optional<int> BlendAlpha(const TSettings& settings, bool active);

// The border colour of the input window (the list border colour in the one-window mode).
int InputBorderColour(const TSettings& settings);

} // namespace vantrelo
