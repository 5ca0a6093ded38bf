// The description of a list row or of the input line: what the entry is, in a few words.
#include "app/rowdescriber.h"

#include "core/inputtext.h"
#include "core/items.h"
#include "core/keywordlist.h"
#include "core/settings.h"
#include "core/text.h"
#include "platform/startup/dashcommands.h"
#include "tools/calculator.h"

namespace vantrelo {

TRowDescriber::TRowDescriber(const TSettings& settings, const TKeywordList& keywords, const TTagList& tags,
                             TRowDescribeProbe probe)
    : settings_(settings), keywords_(keywords), tags_(tags), probe_(std::move(probe)) {}

QString TRowDescriber::Describe(const QString& text, const TItem* item, TDescribeFor where) const {
    // A suggestion names what it suggests in front of that item's description.
    QString prefix;
    if (const auto* fuzzy = ItemAs<TMyFuzzyItem>(item); fuzzy && fuzzy->obj && !fuzzy->name.isEmpty())
        prefix = u'[' + fuzzy->name + QStringLiteral("] - ");
    const TItem* inner = Unwrapped(item);
    if (ItemAs<TMyWindowItem>(inner))
        return QStringLiteral("Application");
    if (const auto* shell = ItemAs<TMyShellItem>(inner)) {
        const bool full = where == TDescribeFor::List ? settings_.fullpathlist : settings_.fullpathmain;
        // An item whose title is not known yet is still told by its path.
        return prefix + (full || shell->title.isEmpty() ? shell->path : shell->title);
    }
    if (const auto* clip = ItemAs<TMyClipItem>(inner))
        return clip->ts.toString(QStringLiteral("hh:mm:ss - yyyy-MM-dd"));
    if (const auto* word = ItemAs<TExeWord>(inner))
        return prefix + word->comment;
    return OfText(text);
}

QString TRowDescriber::OfText(const QString& text) const {
    if (text.isEmpty() || text.startsWith(QLatin1String("===")))
        return {};
    if (!settings_.calcchar.isEmpty() && text.startsWith(settings_.calcchar)) {
        const QString result = CalcTitle(settings_, text);
        return result.isEmpty() ? QString() : QStringLiteral("Calculator result: ") + result;
    }
    if (text.startsWith(u'-'))
        return DashHelpLine(text).value_or(QString());
    if (tags_.IsTag(TrimText(text)))
        return QStringLiteral("Tag");
    if (const TExeWord* word = keywords_.FindKeyword(LowerText(TrimText(FirstWord(TrimText(text)))), true))
        return word->comment;
    const QString t = TrimText(text);
    if (IsUrl(t))
        return QStringLiteral("Web address");
    if (IsMailto(t))
        return QStringLiteral("Email");
    if (IsSystemUri(t))
        return t.contains(QLatin1String("ms-settings:"), Qt::CaseInsensitive) ? QStringLiteral("System settings")
                                                                              : QStringLiteral("System function");
    if (IsUncPath(t))
        return QStringLiteral("Network path");
    if (IsPath(t))
        return probe_.typeName ? probe_.typeName(t) : QString();
    // A name with a dot that is no file here is taken for a host name.
    if (IsBareWebAddress(t))
        return QStringLiteral("Web address");
    if (probe_.programPath && probe_.typeName) {
        const QString program = probe_.programPath(FirstWord(t));
        if (!program.isEmpty())
            return probe_.typeName(program);
    }
    return {};
}

} // namespace vantrelo
