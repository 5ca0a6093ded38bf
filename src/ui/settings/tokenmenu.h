// The token menu on the keyword fields: Ctrl+Space or a right click offers tokens and keywords.
#pragma once

#include "ui/settings/tokenhelp.h"

#include <QObject>

#include <functional>

class QLineEdit;
class QMenu;

namespace vantrelo {

class TTokenMenu final : public QObject {
    Q_OBJECT
public:
    // `chosen` runs after an item replaced the word (the page applies it).
    TTokenMenu(const TKeywordList& words, const QString& separator, std::function<void()> chosen,
               QObject* parent = nullptr);

    void Attach(QLineEdit* edit, TTokenField field);
    // Opens the menu for the edit's word before the caret; the menu stays open until chosen or left.
    void Open(QLineEdit* edit, TTokenField field);

private:
    void Fill(QMenu& menu, QLineEdit* edit, TTokenField field);

    TTokenHelp help_;
    std::function<void()> chosen_;
};

} // namespace vantrelo
