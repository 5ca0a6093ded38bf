// The suggestion library behind the input window: keystroke refreshes, list rows with titles and icons.
#include "app/suggestbridge.h"

#include "app/rowdescriber.h"

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
#include "platform/programsearch.h"
#include "tools/calculator.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <QUrl>

namespace vantrelo {

namespace {

// A path as typed, made into one the file system knows.
QString LocalPath(QString path) {
    if (path.size() >= 2 && path.startsWith(u'"') && path.endsWith(u'"'))
        path = path.mid(1, path.size() - 2);
    if (path.startsWith(QLatin1String("file://"), Qt::CaseInsensitive))
        return QUrl(path).toLocalFile();
    if (path == u'~' || path.startsWith(QLatin1String("~/")))
        return QDir::homePath() + path.mid(1);
    return path;
}

// The desktop's name of a file's type, looked up by name only so that no file is read per row.
QString TypeName(const QString& typed) {
    const QFileInfo info(LocalPath(typed));
    if (info.isDir())
        return QStringLiteral("Folder");
    static const QMimeDatabase mime;
    const QMimeType type = mime.mimeTypeForFile(info, QMimeDatabase::MatchExtension);
    if (type.isDefault() && info.isExecutable())
        return QStringLiteral("Program");
    if (type.isDefault())
        return info.exists() ? QStringLiteral("File") : QString();
    QString name = type.comment();
    if (!name.isEmpty())
        name[0] = name.at(0).toUpper();
    return name;
}

// Answers that ask the file system, kept per text: the rows are described again on every
// keystroke, and a look at a slow or network folder must not be repeated each time.
class TFileAnswers {
public:
    QString Get(const QString& key, const std::function<QString(const QString&)>& ask) {
        if (const auto it = answers_.constFind(key); it != answers_.constEnd())
            return *it;
        if (answers_.size() >= kMaxAnswers)
            answers_.clear();
        const QString answer = ask(key);
        answers_.insert(key, answer);
        return answer;
    }

private:
    static constexpr qsizetype kMaxAnswers = 4096;
    QHash<QString, QString> answers_;
};

TRowDescribeProbe Probe(const TSuggestServices& svc) {
    TRowDescribeProbe p;
    auto types = std::make_shared<TFileAnswers>();
    p.typeName = [types](const QString& path) { return types->Get(path, TypeName); };
    if (const TProgramSearch* programs = svc.programs) {
        auto found = std::make_shared<TFileAnswers>();
        p.programPath = [programs, found](const QString& name) {
            return found->Get(name, [programs](const QString& n) {
                return programs->IsProgramOnPath(n) ? QStandardPaths::findExecutable(n) : QString();
            });
        };
    }
    return p;
}

} // namespace

struct TSuggestBridge::TImpl {
    const TUserData& data;
    TSuggestServices svc;
    TPreparedIndex index;
    TSuggestState state;
    TFolderCache folders;
    TInputAssist assist;
    // Icon names of desktop entries, read once per file.
    mutable QHash<QString, QString> desktopIcons;
    TRowDescriber describer;
    // The titles of indexed entries read from the cache, worked out once per path.
    mutable TFileAnswers resolvedTitles;
    bool reverse = false; // the Reverse request: each group's entries the other way round

    void Reversed() {
        if (reverse)
            ReverseWithinGroups(state.content);
    }
    TScanRoots roots = TScanRoots::FromEnvironment();
    std::unique_ptr<TFolderReader> reader;
    const std::vector<TMyClipItem>* clips = nullptr;

    TSuggestSources Sources() const {
        TSuggestSources src{data.settings, data.keywords, data.history, data.tags};
        src.index = &index;
        src.env = svc.env;
        src.files = svc.files;
        src.clock = svc.clock;
        src.programs = svc.programs;
        src.windows = svc.windows;
        src.clips = clips;
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

    // An indexed entry read from the cache has no description yet: a copy of it (the live index
    // stays as it is) gets its folder's name; null when nothing needs resolving.
    std::unique_ptr<TItem> ResolvedCopy(const TItem* item) const {
        const auto* shell = ItemAs<TMyShellItem>(Unwrapped(item));
        if (!shell || !shell->title.isEmpty())
            return nullptr;
        std::unique_ptr<TItem> copy = item->CloneItem();
        TItem* inner = copy.get();
        if (copy->Kind() == TItemKind::Fuzzy)
            inner = static_cast<TMyFuzzyItem*>(copy.get())->obj.get();
        auto* resolved = static_cast<TMyShellItem*>(inner);
        resolved->title = resolvedTitles.Get(shell->path, [resolved, this](const QString&) {
            ResolveItemIcon(*resolved, false, roots);
            return resolved->title;
        });
        return copy;
    }

    // The row's icon; its description comes from the describer.
    void Describe(const TItem* item, const QString& text, TDescribeFor where, TListRow& row) const {
        const std::unique_ptr<TItem> resolved = ResolvedCopy(item);
        row.title = describer.Describe(text, resolved ? resolved.get() : item, where);
        item = Unwrapped(item);
        if (const auto* s = ItemAs<TMyShellItem>(item)) {
            row.iconFile = s->path;
            if (s->path.endsWith(QLatin1String(".desktop"), Qt::CaseInsensitive))
                row.iconName = DesktopIcon(s->path);
            return;
        }
        if (ItemAs<TMyWindowItem>(item)) {
            row.iconName = QStringLiteral("window");
            return;
        }
        if (ItemAs<TMyClipItem>(item)) {
            row.iconName = QStringLiteral("edit-paste");
            return;
        }
        if (const auto* k = ItemAs<TExeWord>(item)) {
            KeywordIcon(k, row);
            return;
        }
        if (text.startsWith(data.settings.calcchar) && !data.settings.calcchar.isEmpty()) {
            row.iconName = QStringLiteral("accessories-calculator");
            return;
        }
        if (const TExeWord* k = data.keywords.FindKeyword(LowerText(FirstWord(text)), true))
            KeywordIcon(k, row);
    }

    static void KeywordIcon(const TExeWord* k, TListRow& row) {
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
    : d_(std::make_unique<TImpl>(TImpl{data, services, {}, {}, {}, {}, {},
                                       TRowDescriber(data.settings, data.keywords, data.tags, Probe(services))})) {
    if (services.tasks)
        d_->reader = std::make_unique<TFolderReader>(*services.tasks);
}

TSuggestBridge::~TSuggestBridge() = default;

void TSuggestBridge::AdoptIndexImage(std::shared_ptr<const TIndexImage> image) { d_->index.Adopt(std::move(image)); }

const TIndexLookup& TSuggestBridge::IndexLookup() const { return d_->index; }
qsizetype TSuggestBridge::IndexSize() const { return d_->index.ItemCount(); }

void TSuggestBridge::Refresh(const QString& text, int caret) {
    TSuggestLine line = TSuggestLine::AtEnd(text);
    line.caret = std::clamp(caret, 0, int(text.size()));
    RefreshForKeystroke(d_->Sources(), d_->state, line);
    d_->Reversed();
}

TSuggestBridge::TTyped TSuggestBridge::Typed(const QString& text, int caret) {
    TSuggestLine line = TSuggestLine::AtEnd(text);
    line.caret = std::clamp(caret, 0, int(text.size()));
    line.selStart = line.caret;
    const TCompletionResult r = RefreshForKeystroke(d_->Sources(), d_->state, d_->folders, line);
    d_->Reversed();
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

void TSuggestBridge::SetClips(const std::vector<TMyClipItem>* clips) { d_->clips = clips; }

void TSuggestBridge::SetFolderArrived(std::function<void()> arrived) {
    if (d_->reader)
        d_->reader->SetArrived(std::move(arrived));
}

void TSuggestBridge::ShowAll(const QString& text) {
    d_->state.current.Revalidate(text);
    BuildListContent(d_->Sources(), d_->state, TSuggestLine::AtEnd(text), true);
    d_->Reversed();
}

TSuggestBridge::TTyped TSuggestBridge::Step(const QString& text, int caret, int selLength, bool forward, int& cycle) {
    const TCompletionResult r = StepCompletion(d_->Sources(), d_->state, d_->folders, text,
                                               std::clamp(caret, 0, int(text.size())), selLength, forward, cycle);
    TTyped t;
    t.completed = r.completed;
    t.text = r.text;
    t.selStart = r.selStart;
    t.selLength = r.selLength;
    return t;
}

void TSuggestBridge::SetReverse(bool on) { d_->reverse = on; }
bool TSuggestBridge::Reverse() const { return d_->reverse; }

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
            d_->Describe(e.item.get(), e.text, TDescribeFor::List, r);
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
    return d_->describer.Describe(text, item, TDescribeFor::Input);
}

bool TSuggestBridge::LaunchFirstListEntry(QString& text, bool listVisible, bool force) {
    TSuggestLine line = TSuggestLine::AtEnd(text);
    const bool done = vantrelo::LaunchFirstListEntry(d_->Sources(), d_->state, line, force, listVisible);
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
