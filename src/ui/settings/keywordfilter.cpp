// The filter forms of the keyword editor, tested in a fixed order against each record.
#include "ui/settings/keywordfilter.h"

#include "core/items.h"
#include "core/keywordlist.h"
#include "platform/hotkeys/hotkeytext.h"

#include <algorithm>

namespace vantrelo {

namespace {

bool StartsI(const QString& s, const char* prefix) { return s.startsWith(QLatin1String(prefix), Qt::CaseInsensitive); }
bool IsI(const QString& s, const char* text) { return s.compare(QLatin1String(text), Qt::CaseInsensitive) == 0; }

// A field test: `rest` is the text after "field:", `contains` its mode.
bool FieldTest(const QString& value, QString rest, bool contains) {
    if (value.trimmed().isEmpty())
        return rest == QLatin1String("\"\"");
    if (rest.isEmpty())
        return true;
    if (rest.startsWith(u'"')) {
        rest.remove(0, 1);
        if (rest.endsWith(u'"'))
            rest.chop(1);
        return value.compare(rest, Qt::CaseInsensitive) == 0;
    }
    if (rest.startsWith(u'*')) {
        rest.remove(0, 1);
        contains = true;
    }
    return contains ? value.contains(rest, Qt::CaseInsensitive) : value.startsWith(rest, Qt::CaseInsensitive);
}

bool AnyFieldTest(const QStringList& values, const QString& rest, bool contains) {
    if (values.isEmpty())
        return FieldTest(QString(), rest, contains);
    for (const QString& v : values)
        if (FieldTest(v, rest, contains))
            return true;
    return false;
}

QStringList TagsOf(const TExeWord& w) { return SplitTags(w.group); }

bool HasHotkey(const TExeWord& w) { return w.key != -1 || w.keymod != -1; }

bool FreeText(const TExeWord& w, const QString& t, bool contains) {
    if (!MatchName(w.keywords, t).isEmpty())
        return true;
    const QStringList names = NamesOf(w);
    const QStringList tags = TagsOf(w);
    auto anyName = [&](auto test) { return std::any_of(names.begin(), names.end(), test); };
    auto anyTag = [&](auto test) { return std::any_of(tags.begin(), tags.end(), test); };
    if (t.size() > 2) {
        for (const QString* f : {&w.command, &w.parameters, &w.comment, &w.path})
            if (f->contains(t, Qt::CaseInsensitive))
                return true;
        if (anyName([&](const QString& n) { return n.contains(t, Qt::CaseInsensitive); }))
            return true;
        if (anyTag([&](const QString& g) {
                return contains ? g.contains(t, Qt::CaseInsensitive) : g.startsWith(t, Qt::CaseInsensitive);
            }))
            return true;
    }
    if (anyTag([&](const QString& g) { return g.compare(t, Qt::CaseInsensitive) == 0; }))
        return true;
    return anyName([&](const QString& n) {
        return contains ? n.contains(t, Qt::CaseInsensitive) : n.startsWith(t, Qt::CaseInsensitive);
    });
}

// The forms after the duplicate and restriction steps; true when the record is listed.
bool Matches(const TExeWord& w, const QString& t, bool quoted, bool contains) {
    const int colon = t.indexOf(u':');
    const QString rest = colon >= 0 ? t.mid(colon + 1) : QString();
    if (IsI(t, "enabled:"))
        return !w.disabled;
    if (quoted) {
        QString inner = t.mid(1);
        if (inner.endsWith(u'"'))
            inner.chop(1);
        const QStringList all = NamesOf(w) + TagsOf(w);
        return std::any_of(all.begin(), all.end(),
                           [&](const QString& n) { return n.compare(inner, Qt::CaseInsensitive) == 0; });
    }
    if (StartsI(t, "command:"))
        return FieldTest(w.command, rest, true);
    if (StartsI(t, "comment:"))
        return FieldTest(w.comment, rest, true);
    if (StartsI(t, "parameters:"))
        return FieldTest(w.parameters, rest, true);
    if (StartsI(t, "start:"))
        return FieldTest(w.path, rest, true);
    if (IsI(t, "tag:"))
        return !TagsOf(w).isEmpty();
    if (StartsI(t, "tag:"))
        return AnyFieldTest(TagsOf(w), rest, false);
    if (IsI(t, "hotkey:"))
        return HasHotkey(w);
    if (StartsI(t, "hotkey:"))
        return HasHotkey(w) && FieldTest(HotkeyText(w.key, w.keymod), rest, true);
    if ((StartsI(t, "perm:") || StartsI(t, "permission:")) && !rest.isEmpty()) {
        bool ok = false;
        const int level = rest.toInt(&ok);
        return w.permissionlevel == (ok ? level : -1);
    }
    if (IsI(t, "access:") || IsI(t, "permission:") || IsI(t, "permissions:") || IsI(t, "perm:"))
        return w.permissionlevel != -1;
    if (IsI(t, "admin:"))
        return w.runas;
    if (IsI(t, "one:"))
        return w.onlyone;
    if (IsI(t, "icon:"))
        return !w.iconpath.isEmpty();
    if (StartsI(t, "icon:"))
        return FieldTest(w.iconpath, rest, false);
    if (IsI(t, "nohistory:"))
        return !w.addtohistory;
    if (IsI(t, "history:"))
        return w.addtohistory;
    if (IsI(t, "disabled:"))
        return w.disabled;
    if (IsI(t, "open:"))
        return w.open != 0;
    if (StartsI(t, "open:"))
        return (rest == QLatin1String("hide") && w.open == 3) || (rest == QLatin1String("max") && w.open == 2) ||
               (rest == QLatin1String("min") && w.open == 1);
    if (StartsI(t, "keyword:"))
        return AnyFieldTest(NamesOf(w), rest, false);
    return FreeText(w, t, contains);
}

} // namespace

QStringList NamesOf(const TExeWord& w) { return w.keywords.split(u','); }

void TDuplicateNames::Build(const TKeywordList& words, bool withDisabled, const TExeWord* skip,
                            std::optional<bool> onlyDisabled) {
    seen.clear();
    repeated.clear();
    for (const auto& w : words) {
        if (w.get() == skip || (w->disabled && !withDisabled) || (onlyDisabled && w->disabled != *onlyDisabled))
            continue;
        for (const QString& name : NamesOf(*w)) {
            if (!seen.contains(name, Qt::CaseInsensitive))
                seen << name;
            else if (!repeated.contains(name, Qt::CaseInsensitive))
                repeated << name;
        }
    }
}

bool TDuplicateNames::IsRepeated(const QString& name) const { return repeated.contains(name, Qt::CaseInsensitive); }

std::vector<qsizetype> FilterKeywords(const TKeywordList& words, const QString& filterText) {
    QString t = filterText.trimmed();
    std::vector<qsizetype> rows;
    // The restriction is taken off first, so that the duplicate lists are built for the records
    // it leaves, and it holds for the duplicate forms as well.
    std::optional<bool> onlyDisabled;
    if (t.size() > 8 && StartsI(t, "enabled:")) {
        onlyDisabled = false;
        t = t.mid(8);
    } else if (t.size() > 9 && StartsI(t, "disabled:")) {
        onlyDisabled = true;
        t = t.mid(9);
    }
    const bool duplicates = StartsI(t, "duplicates:") || StartsI(t, "duplicatesall:");
    TDuplicateNames names;
    if (duplicates)
        names.Build(words, onlyDisabled.value_or(false) || StartsI(t, "duplicatesall:"), nullptr, onlyDisabled);
    const bool quoted = t.startsWith(u'"');
    const bool contains = t.startsWith(u'*');
    if (contains)
        t.remove(0, 1);
    for (qsizetype i = 0; i < words.size(); ++i) {
        const TExeWord& w = words.at(i);
        if (onlyDisabled && w.disabled != *onlyDisabled)
            continue;
        const QStringList own = NamesOf(w);
        const bool listed = t.isEmpty() ? true
                            : duplicates ? std::any_of(own.begin(), own.end(),
                                                       [&](const QString& n) { return names.IsRepeated(n); })
                                         : Matches(w, t, quoted, contains);
        if (listed)
            rows.push_back(i);
    }
    return rows;
}

QStringList FilterForms() {
    return {"keyword:", "command:", "parameters:", "comment:", "start:", "tag:", "hotkey:", "icon:", "perm:",
            "open:", "nohistory:", "history:", "admin:", "permission:", "disabled:", "enabled:", "duplicates:",
            "duplicatesall:", "keyword:\"x\"", "keyword:*x"};
}

} // namespace vantrelo
