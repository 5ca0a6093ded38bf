// The menu of a list row or of the current item: the file menu for a path, else "Open" and "Edit keyword".
#pragma once

#include "ui/itemmenu.h"

#include <QPoint>
#include <QString>

#include <functional>
#include <memory>

class QMenu;
class QWidget;

namespace vantrelo {

struct TAppContext;
class TItem;

class TItemMenuController {
public:
    explicit TItemMenuController(TAppContext& ctx) : ctx_(ctx) {}

    // The menu for `item` (null for a keyword or plain text) with the line or row `text`, at
    // `globalPos` over `owner`; `open` and `edit` are the fallback menu's "Open" and "Edit keyword".
    void Show(const TItem* item, const QString& text, QWidget* owner, QPoint globalPos, std::function<void()> open,
              std::function<void()> edit);

private:
    void ShowFileMenu(const QString& path, QWidget* owner, QPoint globalPos);
    // An entry of a window row's or clipboard row's menu; `open` takes the row and runs it.
    void RowAction(TRowMenuAction action, const TItem& item, const std::function<void()>& open);
    // The "RegEx:" entries of a clipboard row, before its "Remove".
    void AddRegexEntries(QMenu* menu, const std::shared_ptr<const TItem>& item);

    TAppContext& ctx_;
};

} // namespace vantrelo
