// The context-menu rules, tested in order; the first that matches decides.
#include "ui/itemmenu.h"

#include "core/keywordlist.h"

namespace vantrelo {

std::vector<TRegexMenuEntry> RegexMenuEntries(const TKeywordList& keywords) {
    std::vector<TRegexMenuEntry> out;
    for (const auto& w : keywords) {
        if (w->disabled || !w->command.startsWith(QLatin1String("$TEXTREGEX"), Qt::CaseInsensitive))
            continue;
        QString caption = QStringLiteral("RegEx: ") + w->DefaultKeyword() + QStringLiteral(" -> ") + w->parameters;
        if (!w->comment.isEmpty())
            caption += QStringLiteral(" (") + w->comment + u')';
        out.push_back({caption, w->parameters});
    }
    return out;
}

QString WithoutTrailingDelimiter(QString path) {
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

std::vector<TRowMenuEntry> RowMenuEntries(TItemMenu menu, bool canPaste) {
    using A = TRowMenuAction;
    switch (menu) {
    case TItemMenu::Window:
        return {{QStringLiteral("Switch To"), A::SwitchTo},       {QStringLiteral("Close (Del)"), A::Close},
                {QStringLiteral("Kill Process (Shift-Del)"), A::KillProcess},
                {QStringLiteral("More Info"), A::MoreInfo},       {QStringLiteral("Center"), A::Center},
                {QStringLiteral("Minimize"), A::Minimize},        {QStringLiteral("Maximize"), A::Maximize},
                {QStringLiteral("Restore"), A::Restore},          {QStringLiteral("Maximize Width"), A::MaxWidth},
                {QStringLiteral("Maximize Height"), A::MaxHeight},
                {QStringLiteral("Resize to Specific Size"), A::Resize}};
    case TItemMenu::Clip: {
        std::vector<TRowMenuEntry> out{{QStringLiteral("Copy to Clipboard"), A::CopyText},
                                       {QStringLiteral("Launch"), A::Launch},
                                       {QStringLiteral("Select"), A::Select}};
        if (canPaste)
            out.push_back({QStringLiteral("Copy && Paste to current window"), A::PasteToWindow});
        out.push_back({QStringLiteral("Remove"), A::Remove});
        return out;
    }
    case TItemMenu::File:
    case TItemMenu::Fallback:
        break;
    }
    return {};
}

namespace {

TItemMenuChoice File(const QString& path, int rule) {
    TItemMenuChoice c;
    c.menu = TItemMenu::File;
    c.path = path;
    c.rule = rule;
    return c;
}

} // namespace

TItemMenuChoice DecideItemMenu(const TItemMenuFacts& f, const TItemMenuProbe& p) {
    TItemMenuChoice fallback;
    // An item menu the program does not have falls back to the window's own menu.
    if (f.kind == TItemMenuKind::Clip) {
        fallback.rule = 2;
        fallback.menu = f.clipMenu ? TItemMenu::Clip : TItemMenu::Fallback;
        return fallback;
    }
    if (f.kind == TItemMenuKind::Window) {
        fallback.rule = 3;
        fallback.menu = f.windowMenu ? TItemMenu::Window : TItemMenu::Fallback;
        return fallback;
    }
    if (f.kind == TItemMenuKind::Indexed) {
        // An index entry whose file has gone has no file menu.
        const QString path = WithoutTrailingDelimiter(f.indexedPath);
        if (!path.isEmpty() && p.exists(path))
            return File(path, 4);
        fallback.rule = 4;
        return fallback;
    }
    const QString text = f.text.trimmed();
    if (text.isEmpty())
        return fallback;
    if (p.isPath(text)) {
        const QString path = WithoutTrailingDelimiter(p.expand(text));
        if (!path.isEmpty() && p.exists(path))
            return File(path, 5);
    }
    const QString word = text.section(u' ', 0, 0);
    if (const std::optional<QString> target = p.keywordTarget(word)) {
        const QString path = WithoutTrailingDelimiter(*target);
        if (!path.isEmpty() && p.exists(path) && (p.separator.isEmpty() || !path.contains(p.separator)))
            return File(path, 6);
        fallback.rule = 6;
        fallback.editKeyword = true;
        return fallback;
    }
    return fallback;
}

} // namespace vantrelo
