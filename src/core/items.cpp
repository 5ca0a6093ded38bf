// Keyword record operations and the copying of list items.
#include "core/items.h"

#include "core/keywordlist.h"
#include "core/text.h"

namespace vantrelo {

const QString TExeWord::kNewName = QStringLiteral("new...");

QString TExeWord::DefaultKeyword() const { return NameAt(keywords, 0); }

bool TExeWord::UsesParameters() const {
    const QString c = LowerText(command);
    const QString p = LowerText(path);
    const QString a = LowerText(parameters);
    auto has = [](const QString& s, const char* token) { return s.contains(QLatin1String(token)); };
    if (has(c, "$p$") || has(c, "$ps") || has(c, "$pp") || has(c, "$p1$"))
        return true;
    if (has(a, "$p$") || has(a, "$p1$") || has(p, "$p$") || has(p, "$p1$"))
        return true;
    for (const QString* s : {&c, &p, &a})
        if (has(*s, "$u$") || has(*s, "$u1$"))
            return true;
    return false;
}

TMyFuzzyItem::TMyFuzzyItem(const TMyFuzzyItem& other)
    : TItem(other), name(other.name), obj(vantrelo::CloneItem(other.obj.get())) {}

TMyFuzzyItem& TMyFuzzyItem::operator=(const TMyFuzzyItem& other) {
    if (this != &other) {
        name = other.name;
        obj = vantrelo::CloneItem(other.obj.get());
    }
    return *this;
}

const TItem* Unwrapped(const TItem* item) {
    const auto* fuzzy = ItemAs<TMyFuzzyItem>(item);
    return fuzzy ? fuzzy->obj.get() : item;
}

std::unique_ptr<TItem> CloneItem(const TItem* item) {
    if (!item || item->Kind() == TItemKind::Simple)
        return nullptr;
    return item->CloneItem();
}

std::unique_ptr<TItem> CloneListItem(const TItem* item) {
    if (!item || item->Kind() == TItemKind::Keyword || item->Kind() == TItemKind::Simple)
        return nullptr;
    return item->CloneItem();
}

} // namespace vantrelo
