// The hotkey field of the keyword editor: takes a keyword's hotkey from the keys pressed in it.
#include "ui/settings/hotkeyfield.h"

#include "platform/hotkeys/hotkeytext.h"
#include "ui/settings/keywordops.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QKeySequence>

namespace vantrelo {

THotkeyCaptureField::THotkeyCaptureField(std::function<void(int vk, int mods)> taken, QWidget* parent)
    : QLineEdit(parent), taken_(std::move(taken)) {
    setObjectName(QStringLiteral("KHotkeyEdit"));
    setReadOnly(true);
}

void THotkeyCaptureField::keyPressEvent(QKeyEvent* e) {
    const Qt::KeyboardModifiers m = e->modifiers() & ~Qt::KeypadModifier;
    const int key = e->key();
    if (key == Qt::Key_Control || key == Qt::Key_Shift || key == Qt::Key_Alt || key == Qt::Key_Meta ||
        key == Qt::Key_Super_L || key == Qt::Key_Super_R)
        return; // a modifier alone waits for its key
    switch (ClassifyHotkeyKey(key, m != Qt::NoModifier)) {
    case THotkeyKeyUse::Focus:
    case THotkeyKeyUse::Cancel:
        e->ignore(); // Tab moves on, Esc goes to the dialog
        QLineEdit::keyPressEvent(e);
        return;
    case THotkeyKeyUse::Clear:
        taken_(-1, -1);
        return;
    case THotkeyKeyUse::NeedsModifier:
        return;
    case THotkeyKeyUse::Accept:
        break;
    }
    int vk = -1, ignored = 0;
    if (!ParseHotkeyText(QKeySequence(key).toString(QKeySequence::PortableText), vk, ignored) || vk <= 0)
        return;
    const int mods = (m & Qt::MetaModifier ? 8 : 0) | (m & Qt::AltModifier ? 1 : 0) |
                     (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::ShiftModifier ? 4 : 0);
    taken_(vk, mods);
}

QWidget* WithClearLink(QWidget* field, const char* name, std::function<void()> clear) {
    auto* box = new QWidget(field->parentWidget());
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    auto* link = new QLabel(QStringLiteral("<a href=\"#\">clear</a>"), box);
    link->setObjectName(QLatin1String(name));
    QObject::connect(link, &QLabel::linkActivated, box, [clear = std::move(clear)] { clear(); });
    row->addWidget(field, 1);
    row->addWidget(link);
    return box;
}

} // namespace vantrelo
