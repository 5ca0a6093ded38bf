// The input window's widgets placed, sized and coloured by the Scale layout.
#pragma once

#include "ui/inputbackdrop.h"
#include "ui/skin/skinlayout.h"

class QLabel;
class QLineEdit;
class QWidget;

namespace vantrelo {

struct TSettings;
struct TSkinLayout;
class TArrowButton;

struct TInputWidgets {
    QWidget* window = nullptr;
    QLabel* icon = nullptr;
    QLineEdit* edit = nullptr;
    TArrowButton* arrow = nullptr;
    QLabel* title = nullptr;
};

struct TInputLook {
    TScaleLayout scale;
    TBackdropLook backdrop;
};

// Sizes the window, places its widgets, sets the input and title fonts and the button's look;
// returns the layout for the list's placement and the backdrop for painting.
TInputLook ApplyScaleLook(const TInputWidgets& w, const TSettings& s, const TSkinLayout& skin, int dpi);

} // namespace vantrelo
