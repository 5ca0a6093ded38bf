// Resolving the path behind the input line and its bound item.
#include "exec/itempath.h"

#include "core/keywordlist.h"
#include "core/text.h"
#include "exec/envexpand.h"
#include "exec/execcontext.h"
#include "core/inputtext.h"
#include "exec/substitution.h"
#include "platform/filesystem.h"

namespace vantrelo {

namespace {

// "::{...}" written in a keyword's parameters.
QString ClassIdentifier(const QString& parameters) {
    const qsizetype start = parameters.indexOf(QLatin1String("::{"));
    if (start < 0)
        return QString();
    const qsizetype end = parameters.indexOf(u'}', start);
    return end < 0 ? QString() : parameters.mid(start, end + 1 - start);
}

QString KeywordPath(const QString& line, const TItem* current, TExecContext& ctx) {
    const QString trimmed = TrimText(line);
    QString name = trimmed;
    if (const auto* fuzzy = ItemAs<TMyFuzzyItem>(current); fuzzy && ItemAs<TExeWord>(fuzzy->obj.get()))
        name = FirstWord(fuzzy->name);
    const TExeWord* word = ctx.keywords.FindKeyword(name, true);
    if (!word)
        return QString();
    QString path = ctx.expandCommand(SubstituteParameters(word->command, ParamText(trimmed)), true);
    if (IsPath(path))
        return path;
    path = ClassIdentifier(word->parameters);
    if (path.isEmpty() && SameText(TrimText(word->command), QStringLiteral("control.exe")))
        path = QStringLiteral("rfControlPanel");
    return path;
}

QString IndexedPath(const TMyShellItem& item, TExecContext& ctx, const TIndexedPathResolver& resolver) {
    const TEnvironment& env = *ctx.services.environment;
    QString path = ExpandUserPath(TrimText(item.path), env);
    if (const QString target = resolver.ShortcutTarget(path); !target.isEmpty())
        path = ExpandUserPath(target, env);
    return IsPath(path) ? path : resolver.ParsingPath(item);
}

} // namespace

QString GetPathFromItem(const QString& line, const TItem* currentItem, bool inclfilename, TExecContext& ctx,
                        const TIndexedPathResolver& resolver) {
    const TItem* object = Unwrapped(currentItem);
    const auto* indexed = ItemAs<TMyShellItem>(object);
    QString path = indexed ? IndexedPath(*indexed, ctx, resolver) : KeywordPath(line, currentItem, ctx);
    if (path.isEmpty())
        path = ExpandUserPath(TrimText(line), *ctx.services.environment);
    if (!IsPath(path))
        return path;
    path = ExpandHomeFolder(Unquoted(path), *ctx.services.environment);
    if (ctx.services.files->FolderExists(path))
        return path.endsWith(u'/') ? path : path + u'/';
    if (inclfilename)
        return path;
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? QString() : path.left(slash + 1);
}

} // namespace vantrelo
