// The suggestion library behind the input window: keystroke refreshes, list rows with titles and icons.
#include "app/suggestbridge.h"

#include "core/settingsstore.h"
#include "core/text.h"
#include "core/inputtext.h"
#include "index/desktopentry.h"
#include "index/scanner.h"
#include "index/scanroots.h"
#include "suggest/completion.h"
#include "suggest/folderreader.h"
#include "suggest/keystroke.h"
#include "suggest/listbuilder.h"
#include "suggest/preparedindex.h"
#include "suggest/suggestions.h"
#include "suggest/suggestsources.h"
#include "tools/calculator.h"

#include <QFileInfo>
#include <QHash>

namespace vantrelo {

struct TSuggestBridge::TImpl {
    const TUserData& data;
    TSuggestServices svc;
    TPreparedIndex index;
    TSuggestState state;
    TFolderCache folders;
    TInputAssist assist;
    // Icon names of desktop entries, read once per file.
    mutable QHash<QString, QString> desktopIcons;
    TScanRoots roots = TScanRoots::FromEnvironment();
    std::unique_ptr<TFolderReader> reader;

    TSuggestSources Sources() const {
        TSuggestSources src{data.settings, data.keywords, data.history, data.tags};
        src.index = &index;
        src.env = svc.env;
        src.files = svc.files;
        src.clock = svc.clock;
        src.programs = svc.programs;
        src.windows = svc.windows;
        src.folderReader = reader.get();
        return src;
    }

    QString DesktopIcon(const QString& file) const {
        auto it = desktopIcons.constFind(file);
        if (it != desktopIcons.constEnd())
            return *it;
        const QString icon = ReadDesktopEntry(file, svc.locale).icon;
        desktopIcons.insert(file, icon);
        return icon;
    }

    void Describe(const TItem* item, const QString& text, TListRow& row) const {
        item = Unwrapped(item);
        if (const auto* s = ItemAs<TMyShellItem>(item)) {
            row.title = s->title;
            if (row.title.isEmpty()) {
                // An entry read from the cache has no description yet: its folder's name.
                TMyShellItem resolved = *s;
                ResolveItemIcon(resolved, false, roots);
                row.title = resolved.title.isEmpty() ? s->path : resolved.title;
            }
            row.iconFile = s->path;
            if (s->path.endsWith(QLatin1String(".desktop"), Qt::CaseInsensitive))
                row.iconName = DesktopIcon(s->path);
            return;
        }
        if (const auto* w = ItemAs<TMyWindowItem>(item)) {
            row.title = w->moreinfo;
            row.iconName = QStringLiteral("window");
            return;
        }
        if (const auto* c = ItemAs<TMyClipItem>(item)) {
            row.title = c->ts.toString(QStringLiteral("hh:mm:ss - yyyy-MM-dd"));
            row.iconName = QStringLiteral("edit-paste");
            return;
        }
        if (const auto* k = ItemAs<TExeWord>(item)) {
            KeywordRow(k, row);
            return;
        }
        if (text.startsWith(data.settings.calcchar) && !data.settings.calcchar.isEmpty()) {
            const QString r = CalcTitle(data.settings, text);
            if (!r.isEmpty())
                row.title = QStringLiteral("Calculator result: ") + r;
            row.iconName = QStringLiteral("accessories-calculator");
            return;
        }
        if (const TExeWord* k = data.keywords.FindKeyword(LowerText(FirstWord(text)), true))
            KeywordRow(k, row);
    }

    static void KeywordRow(const TExeWord* k, TListRow& row) {
        row.title = k->comment.isEmpty() ? k->command : k->comment;
        if (!k->iconpath.isEmpty())
            row.iconName = k->iconpath;
        else
            row.iconName = QStringLiteral("system-run");
        const QString target = TrimText(k->command);
        if (QFileInfo(target).isAbsolute())
            row.iconFile = target;
    }
};

TSuggestBridge::TSuggestBridge(const TUserData& data, const TSuggestServices& services)
    : d_(std::make_unique<TImpl>(TImpl{data, services, {}, {}, {}, {}})) {
    if (services.tasks)
        d_->reader = std::make_unique<TFolderReader>(*services.tasks);
}

TSuggestBridge::~TSuggestBridge() = default;

void TSuggestBridge::AdoptIndexPrepared(std::shared_ptr<const TIndexList> live, std::vector<TPreparedName> names) {
    d_->index.Adopt(std::move(live), std::move(names));
}

const TIndexList& TSuggestBridge::Index() const { return d_->index.List(); }
qsizetype TSuggestBridge::IndexSize() const { return d_->index.List().ItemCount(); }

void TSuggestBridge::Refresh(const QString& text, int caret) {
    TSuggestLine line = TSuggestLine::AtEnd(text);
    line.caret = std::clamp(caret, 0, int(text.size()));
    RefreshForKeystroke(d_->Sources(), d_->state, line);
}

TSuggestBridge::TTyped TSuggestBridge::Typed(const QString& text, int caret) {
    TSuggestLine line = TSuggestLine::AtEnd(text);
    line.caret = std::clamp(caret, 0, int(text.size()));
    line.selStart = line.caret;
    const TCompletionResult r = RefreshForKeystroke(d_->Sources(), d_->state, d_->folders, line);
    TTyped t;
    t.completed = r.completed && r.text != text;
    t.text = r.text;
    t.selStart = r.selStart;
    t.selLength = r.selLength;
    return t;
}

void TSuggestBridge::FolderCacheStale() {
    d_->folders.MarkStale();
    if (d_->reader)
        d_->reader->MarkStale();
}

void TSuggestBridge::SetFolderArrived(std::function<void()> arrived) {
    if (d_->reader)
        d_->reader->SetArrived(std::move(arrived));
}

void TSuggestBridge::ShowAll(const QString& text) {
    d_->state.current.Revalidate(text);
    BuildListContent(d_->Sources(), d_->state, TSuggestLine::AtEnd(text), true);
}

void TSuggestBridge::Revalidate(const QString& text) { d_->state.current.Revalidate(text); }

void TSuggestBridge::Clear() {
    vantrelo::ClearSuggestions(d_->state, true);
    d_->state.content.clear();
}

void TSuggestBridge::ClearSuggestions() { vantrelo::ClearSuggestions(d_->state, true); }

std::vector<TListRow> TSuggestBridge::Rows() const {
    std::vector<TListRow> rows;
    rows.reserve(d_->state.content.size());
    for (const TListEntry& e : d_->state.content) {
        TListRow r;
        r.text = e.text;
        r.header = IsGroupHeader(e.text);
        if (!r.header)
            d_->Describe(e.item.get(), e.text, r);
        rows.push_back(std::move(r));
    }
    return rows;
}

bool TSuggestBridge::HasEntries() const {
    for (const TListEntry& e : d_->state.content)
        if (!IsGroupHeader(e.text))
            return true;
    return false;
}

QString TSuggestBridge::RowText(int row) const {
    return row >= 0 && size_t(row) < d_->state.content.size() ? d_->state.content[size_t(row)].text : QString();
}

void TSuggestBridge::BindRow(int row, const QString& text) {
    if (row < 0 || size_t(row) >= d_->state.content.size())
        return;
    const TListEntry& e = d_->state.content[size_t(row)];
    if (e.item)
        d_->state.current.Bind(e.item->CloneItem(), text);
    else
        d_->state.current.Clear();
}

const TItem* TSuggestBridge::RowItem(int row) const {
    if (row < 0 || size_t(row) >= d_->state.content.size())
        return nullptr;
    return d_->state.content[size_t(row)].item.get();
}

const TItem* TSuggestBridge::ItemFor(const QString& text) const { return d_->state.current.ItemFor(text); }

QString TSuggestBridge::TitleFor(const QString& text) const {
    const TItem* item = ItemFor(text);
    // A calculation (by its calcchar or detected as one) shows its result as the title.
    if (!item && (StartsWithCalcChar(d_->data.settings, text) || IsCalculation(d_->data.settings, text))) {
        const QString result = CalcTitle(d_->data.settings, text);
        if (!result.isEmpty())
            return result;
    }
    TListRow r;
    d_->Describe(item, text, r);
    return r.title;
}

bool TSuggestBridge::LaunchFirstListEntry(QString& text, bool listVisible) {
    TSuggestLine line = TSuggestLine::AtEnd(text);
    const bool done = vantrelo::LaunchFirstListEntry(d_->Sources(), d_->state, line, false, listVisible);
    text = line.text;
    return done;
}

bool TSuggestBridge::FastSearchFallback(QString& text) {
    TSuggestLine line = TSuggestLine::AtEnd(text);
    const bool done = vantrelo::FastSearchFallback(d_->Sources(), d_->state, line);
    text = line.text;
    return done;
}

bool TSuggestBridge::BuildAssist(const TAssistEdit& edit, bool isUpdate) {
    return d_->assist.BuildSpacePopup(d_->Sources(), edit, isUpdate);
}

TAssistChoice TSuggestBridge::AssistSelect(const TAssistEdit& edit, int row, bool isSoft) const {
    return d_->assist.InputAssistSelect(d_->Sources(), edit, row, isSoft);
}

const TInputAssist& TSuggestBridge::Assist() const { return d_->assist; }

} // namespace vantrelo
