// The input window's widgets placed, sized and coloured by the Scale layout.
#include "ui/inputlook.h"

#include "core/settings.h"
#include "ui/arrowbutton.h"
#include "ui/skin/skinfile.h"
#include "ui/widgetkit.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

namespace vantrelo {

namespace {

QFont InputFont(QFont f, const TSettings& s) {
    if (!s.fontname.isEmpty())
        f.setFamily(s.fontname);
    f.setPointSize(ScaleInputFontSize(std::max(1, s.fontsize)));
    f.setBold(s.fontbold);
    return f;
}

} // namespace

TInputLook ApplyScaleLook(const TInputWidgets& w, const TSettings& s, const TSkinLayout& skin, int dpi) {
    const QFont font = InputFont(w.edit->font(), s);
    w.edit->setFont(font);
    TInputLook look;
    TScaleLayout& l = look.scale;
    l = ComputeScaleLayout(ScaleInputFor(s, skin, dpi, QFontMetrics(font).height()));
    w.window->setFixedSize(l.client);

    // The icon, the line, the button and the title lie in the panel inside the border.
    const QPoint panel = l.panel.topLeft();
    w.icon->setGeometry(l.icon.translated(panel));
    w.icon->setVisible(s.showwordicon);
    const bool button = s.showcombo && !l.arrow.isEmpty();
    w.edit->setGeometry(l.edit.translated(panel));
    w.edit->setFrame(false);
    w.arrow->setVisible(button);
    if (button) {
        w.arrow->setGeometry(l.arrow.translated(panel));
        // Over a skin picture the button shows the part of it that lies beneath.
        const QImage under = skin.skinpicture.isNull() ? QImage() : skin.skinpicture.copy(l.arrow);
        w.arrow->SetLook(s.fillcolor, s.outlinecolor, s.arrowcolor, under);
    }
    QFont title = w.title->font();
    title.setPointSize(l.titleFontSize);
    if (!skin.titlefontname.isEmpty())
        title.setFamily(skin.titlefontname);
    w.title->setFont(title);
    w.title->setGeometry(l.title.translated(panel));
    // Over a skin picture the line lets it show through.
    w.edit->setAutoFillBackground(skin.skinpicture.isNull());
    if (!skin.skinpicture.isNull()) {
        QPalette p = w.edit->palette();
        p.setColor(QPalette::Base, Qt::transparent);
        w.edit->setPalette(p);
    }

    TBackdropLook& b = look.backdrop;
    b.panel = l.panel;
    b.corner = ScaleDpi(1, dpi);
    b.border = l.border;
    b.borderColour = InputBorderColour(s);
    b.backColour = s.textbackcolor;
    b.tweaks = skin.bordertweaks && !s.onewindow;
    b.tweakColour = DarkenColour(s.inputwindowcolor, 25);
    return look;
}

} // namespace vantrelo
