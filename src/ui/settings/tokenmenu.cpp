// The token menu on the keyword fields: Ctrl+Space or a right click offers tokens and keywords.
#include "ui/settings/tokenmenu.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

namespace vantrelo {

TTokenMenu::TTokenMenu(const TKeywordList& words, const QString& separator, std::function<void()> chosen,
                       QObject* parent)
    : QObject(parent), help_(words, separator), chosen_(std::move(chosen)) {}

void TTokenMenu::Attach(QLineEdit* edit, TTokenField field) {
    // A shortcut on the field itself, so Ctrl+Space never types its space.
    auto* open = new QAction(edit);
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Space));
    open->setShortcutContext(Qt::WidgetShortcut);
    edit->addAction(open);
    connect(open, &QAction::triggered, this, [this, edit, field] { Open(edit, field); });
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(edit, &QLineEdit::customContextMenuRequested, this, [this, edit, field] { Open(edit, field); });
}

void TTokenMenu::Open(QLineEdit* edit, TTokenField field) {
    QMenu menu(edit);
    menu.setObjectName(QStringLiteral("AutoPopup"));
    Fill(menu, edit, field);
    if (menu.isEmpty())
        return;
    const QPoint at = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().bottomLeft();
    menu.exec(edit->mapToGlobal(at));
}

void TTokenMenu::Fill(QMenu& menu, QLineEdit* edit, TTokenField field) {
    const int caret = edit->cursorPosition();
    const TTokenWord word = help_.WordBeforeCaret(edit->text(), caret, field);
    for (const QString& item : help_.Items(word.word, field)) {
        connect(menu.addAction(item), &QAction::triggered, this, [this, edit, word, caret, item] {
            int end = 0;
            const QString after = help_.Choose(edit->text(), word, caret, item, &end);
            // One undoable replacement: select the word and insert the token over it.
            const QString inserted = after.mid(word.start, end - word.start);
            edit->setSelection(word.start, caret - word.start);
            edit->insert(inserted);
            if (chosen_)
                chosen_();
        });
    }
}

} // namespace vantrelo
