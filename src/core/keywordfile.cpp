// Keyword sections: one section per keyword, keys written only when they differ from the default.
#include "core/keywordfile.h"

#include "core/inifile.h"
#include "core/keywordlist.h"
#include "core/text.h"

namespace vantrelo {

namespace {

// A keyword field never holds a raw line break in the file; in templates "{BR}" means one anyway.
QString FieldValue(const QString& s) { return ReplaceLineBreaks(s, QStringLiteral("{BR}")); }

void WriteWord(TMemIniFile& ini, const QString& sec, const TExeWord& w, const TWriteWordsOptions& o) {
    ini.WriteString(sec, QStringLiteral("keywords"), FieldValue(w.keywords));
    ini.WriteString(sec, QStringLiteral("command"), FieldValue(w.command));
    if (!w.path.isEmpty())
        ini.WriteString(sec, QStringLiteral("path"), FieldValue(w.path));
    if (w.open != 0)
        ini.WriteInteger(sec, QStringLiteral("open"), w.open);
    if (!w.comment.isEmpty())
        ini.WriteString(sec, QStringLiteral("comment"), FieldValue(w.comment));
    if (!w.parameters.isEmpty())
        ini.WriteString(sec, QStringLiteral("param"), FieldValue(w.parameters));
    if (w.runas)
        ini.WriteBool(sec, QStringLiteral("runas"), true);
    if (!w.addtohistory)
        ini.WriteBool(sec, QStringLiteral("hist"), false);
    if (o.includeHotkeys && w.key != -1)
        ini.WriteInteger(sec, QStringLiteral("key"), w.key);
    if (o.includeHotkeys && w.keymod != -1)
        ini.WriteInteger(sec, QStringLiteral("keymod"), w.keymod);
    if (o.includeTags && !w.group.isEmpty())
        ini.WriteString(sec, QStringLiteral("tags"), FieldValue(w.group));
    if (o.includeIcons && !w.iconpath.isEmpty()) {
        ini.WriteString(sec, QStringLiteral("iconpath"), FieldValue(w.iconpath));
        ini.WriteInteger(sec, QStringLiteral("iconidx"), w.iconidx);
    }
    if (w.onlyone)
        ini.WriteBool(sec, QStringLiteral("one"), true);
    if (w.disabled)
        ini.WriteBool(sec, QStringLiteral("disabled"), true);
    if (!o.isExport && w.permissionlevel != -1) {
        ini.WriteInteger(sec, QStringLiteral("plevel"), w.permissionlevel);
        if (!w.permissionorigin.isEmpty())
            ini.WriteString(sec, QStringLiteral("porigin"), FieldValue(w.permissionorigin));
    }
}

std::unique_ptr<TExeWord> ReadWord(const TMemIniFile& ini, const QString& sec, bool isImport) {
    auto w = std::make_unique<TExeWord>();
    w->keywords = ini.ReadString(sec, QStringLiteral("keywords"), QString());
    w->command = ini.ReadString(sec, QStringLiteral("command"), QString());
    w->path = ini.ReadString(sec, QStringLiteral("path"), QString());
    w->open = ini.ReadInteger(sec, QStringLiteral("open"), 0);
    w->comment = ini.ReadString(sec, QStringLiteral("comment"), QString());
    w->parameters = ini.ReadString(sec, QStringLiteral("param"), QString());
    w->runas = ini.ReadBool(sec, QStringLiteral("runas"), false);
    w->addtohistory = ini.ReadBool(sec, QStringLiteral("hist"), true);
    w->key = ini.ReadInteger(sec, QStringLiteral("key"), -1);
    w->keymod = ini.ReadInteger(sec, QStringLiteral("keymod"), -1);
    w->iconpath = ini.ReadString(sec, QStringLiteral("iconpath"), QString());
    w->iconidx = ini.ReadInteger(sec, QStringLiteral("iconidx"), 0);
    w->onlyone = ini.ReadBool(sec, QStringLiteral("one"), false);
    w->disabled = ini.ReadBool(sec, QStringLiteral("disabled"), false);
    if (!isImport) {
        w->permissionlevel = ini.ReadInteger(sec, QStringLiteral("plevel"), -1);
        w->permissionorigin = ini.ReadString(sec, QStringLiteral("porigin"), QString());
    }
    // Older files held one group name; it becomes a single tag.
    const QString oldGroup = ini.ReadString(sec, QStringLiteral("group"), QString());
    if (!oldGroup.isEmpty() && oldGroup.contains(u' '))
        w->group = TrimText(oldGroup).replace(u' ', u'-');
    else
        w->group = oldGroup;
    const QString tags = ini.ReadString(sec, QStringLiteral("tags"), QString());
    if (!tags.isEmpty())
        w->group = TrimText(tags);
    return w;
}

} // namespace

void WriteWords(TMemIniFile& ini, const TKeywordList& list, const TWriteWordsOptions& options) {
    for (qsizetype i = 0; i < list.size(); ++i)
        WriteWord(ini, u'W' + QString::number(i), list.at(i), options);
}

void ReadWords(TMemIniFile& ini, TKeywordList& list, bool isImport) {
    // Each plain "W" lookup finds the last remaining such section and puts it in front, so a run
    // of "[W]" sections ends up in file order ahead of what the list held.
    // The plain ones are put in front once at the end: inserting each in front is quadratic.
    const QStringList names = ini.ReadSections();
    std::vector<TKeywordList::Ptr> plain; // last section first
    for (const QString& name : names) {
        if (!name.startsWith(u'W', Qt::CaseInsensitive))
            continue;
        auto word = ReadWord(ini, name, isImport);
        if (name == QLatin1String("W") || name == QLatin1String("w")) {
            plain.push_back(std::move(word));
        } else {
            list.Add(std::move(word));
        }
        ini.EraseSection(name);
    }
    if (plain.empty())
        return;
    std::vector<TKeywordList::Ptr> held = list.TakeAll();
    for (auto it = plain.rbegin(); it != plain.rend(); ++it)
        list.Add(std::move(*it));
    for (auto& w : held)
        list.Add(std::move(w));
}

} // namespace vantrelo
