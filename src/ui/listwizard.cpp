// The list appearance wizard: layout, font and number of rows of the list window, asked in turn.
#include "ui/listwizard.h"

#include "core/settings.h"
#include "ui/wizardlogic.h"

#include <QFontDialog>
#include <QFontMetrics>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

#include <optional>

namespace vantrelo {
namespace {

// A question with buttons of its own captions; the index of the one pressed, -1 when closed.
int Ask(QWidget* parent, const QString& title, const QString& text, const QStringList& captions, bool onTop) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("ListWizardQuestion"));
    if (onTop)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    std::vector<QPushButton*> buttons;
    for (const QString& c : captions)
        buttons.push_back(box.addButton(c, QMessageBox::ActionRole));
    box.setDefaultButton(buttons.front());
    box.exec();
    for (size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i])
            return int(i);
    return -1;
}

// The font's height at 96 dots per inch.
int FontHeight96(const QFont& font, const QWidget* on) {
    const QFontMetrics m(font, on);
    const int dpi = on ? on->logicalDpiY() : 96;
    return dpi > 0 ? m.height() * 96 / dpi : m.height();
}

} // namespace

bool RunListWizard(TSettings& s, QWidget* parent) {
    const TSettings before = s;
    auto restore = [&] {
        s.listrowheight = before.listrowheight;
        s.listrowmode = before.listrowmode;
        s.listfontsize = before.listfontsize;
        s.maxvisible = before.maxvisible;
        s.listfontname = before.listfontname;
        s.listtitles = before.listtitles;
        s.listbolditems = before.listbolditems;
        return false;
    };
    const int layout = Ask(parent, QStringLiteral("List appearance wizard - Layout"),
                           QStringLiteral("Select how names and titles are displayed in the list:\n\n Double - display "
                                          "on two lines (default).\n Single - display on one line.\n Name - Only "
                                          "display the name."),
                           {QStringLiteral(" Double "), QStringLiteral(" Single "), QStringLiteral(" Name "),
                            QStringLiteral(" Cancel ")},
                           s.stayontop);
    if (layout < 0 || layout == 3)
        return false;
    const int font = Ask(parent, QStringLiteral("List appearance wizard - Font"),
                         QStringLiteral("In the next dialog, you can adjust the list's font and font size "
                                        "(recommended from 8 to 20)."),
                         {QStringLiteral(" Continue "), QStringLiteral(" Cancel ")}, s.stayontop);
    if (font == 1)
        return restore();
    bool ok = false;
    if (font == 0) { // a closed question skips the font dialog
        QFont current(s.listfontname.isEmpty() ? s.fontname : s.listfontname);
        current.setPointSize(std::max(s.listfontsize, 1));
        current.setBold(s.listbolditems);
        const QFont chosen = QFontDialog::getFont(&ok, current, parent, QStringLiteral("List font"));
        if (!ok)
            return restore();
        s.listfontname = chosen.family();
        s.listfontsize = std::clamp(chosen.pointSize() > 0 ? chosen.pointSize() : s.listfontsize, 6, 30);
        s.listbolditems = chosen.bold();
    }
    QFont measured(s.listfontname.isEmpty() ? s.fontname : s.listfontname);
    measured.setPointSize(s.listfontsize);
    measured.setBold(s.listbolditems);
    ApplyListLayout(s, TListLayout(layout), FontHeight96(measured, parent));
    const QString suggested = QString::number(s.maxvisible);
    const QString rows = QInputDialog::getText(parent, QStringLiteral("List appearance wizard - Rows"),
                                               QStringLiteral("Number of list rows (currently ") +
                                                   QString::number(before.maxvisible) + QStringLiteral(", suggested ") +
                                                   suggested + QStringLiteral("): "),
                                               QLineEdit::Normal, suggested, &ok);
    if (!ok)
        return restore();
    bool number = false;
    const int typed = rows.trimmed().toInt(&number);
    if (number && typed > 0)
        s.maxvisible = typed;
    return true;
}

} // namespace vantrelo
