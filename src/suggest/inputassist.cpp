// Input assist: each Ctrl+Space reads the edit, steps the mode and lists keywords that fit.
#include "suggest/inputassist.h"

#include "core/history.h"
#include "core/incognito.h"
#include "core/keywordlist.h"
#include "core/settings.h"
#include "core/text.h"
#include "exec/envexpand.h"
#include "core/inputtext.h"
#include "exec/substitution.h"
#include "platform/filesystem.h"
#include "suggest/suggestsources.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace vantrelo {

int ShadeColour(int colour, int n) {
    const int r = colour & 0xFF;
    const int g = (colour >> 8) & 0xFF;
    const int b = (colour >> 16) & 0xFF;
    const bool dark = r <= 180 && g <= 180 && b <= 180;
    const double step = (dark ? 1.0 : -1.0) * n * 100.0 / 255.0;
    auto shade = [&](int c) { return std::clamp(int(std::lround(c + step)), 0, 255); };
    return shade(r) | (shade(g) << 8) | (shade(b) << 16);
}

TAssistStyle AssistStyle(int textcolor, int textbackcolor, int assistfontsize) {
    TAssistStyle st;
    st.backgroundColor = ShadeColour(textbackcolor, 23);
    st.borderColor = st.backgroundColor;
    st.fontColor = textcolor;
    st.hoverColor = ShadeColour(st.backgroundColor, 23);
    st.selectedColor = ShadeColour(st.backgroundColor, 70);
    st.fontSize = assistfontsize;
    return st;
}

namespace {

constexpr qsizetype kMaxHistoryRows = 100;

QStringList TagsOf(const TExeWord& w) { return w.group.split(QLatin1Char(' '), Qt::SkipEmptyParts); }

bool HasTag(const TExeWord& w, const QString& tag) {
    const QStringList tags = TagsOf(w);
    return std::any_of(tags.begin(), tags.end(), [&](const QString& t) { return SameText(t, tag); });
}

// The command of a keyword as it would run with `params`, variables expanded.
QString ExpandedCommand(const TSuggestSources& src, const TExeWord& w) {
    return src.env ? ExpandEnvironmentText(w.command, *src.env) : w.command;
}

QString UserPath(const TSuggestSources& src, const QString& text) {
    QString p = TrimText(text);
    if (p.size() >= 2 && p.startsWith(QLatin1Char('"')) && p.endsWith(QLatin1Char('"')))
        p = p.mid(1, p.size() - 2);
    if (p.startsWith(QLatin1String("file://")))
        p = p.mid(7);
    return src.env ? ExpandUserPath(p, *src.env) : p;
}

bool FolderExists(const TSuggestSources& src, const QString& p) {
    return src.files ? src.files->FolderExists(p) : QFileInfo(p).isDir();
}
bool FileExists(const TSuggestSources& src, const QString& p) {
    return src.files ? src.files->FileExists(p) : QFileInfo(p).isFile();
}

bool IsExecutableName(const QString& text) {
    for (const char* ext : {".exe", ".msc", ".cmd", ".bat", ".ps"})
        if (text.endsWith(QLatin1String(ext), Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace

void TInputAssist::Add(const QString& name) {
    if (!name.isEmpty() && !rows_.contains(name, Qt::CaseInsensitive))
        rows_.append(name);
}

void TInputAssist::ApplyTypeFilters(const TSuggestSources& src, const QString& text, bool again, bool wasMode6) {
    const QString p = TrimText(ParamText(text));
    const bool fresh = !again || wasMode6;
    if (IsPath(text)) {
        filters_ = fresh ? QStringList{QStringLiteral("filesystem")} : QStringList();
        if (filters_.contains(QStringLiteral("filesystem"))) {
            const QString path = UserPath(src, text);
            QString bare = path;
            while (bare.size() > 1 && (bare.endsWith(QLatin1Char('/')) || bare.endsWith(QLatin1Char('\\'))))
                bare.chop(1);
            const QFileInfo fi(bare);
            if (FolderExists(src, path)) {
                filters_ << QStringLiteral("folder") << QStringLiteral("folder:") + LowerText(fi.fileName());
            } else if (FileExists(src, path)) {
                filters_ << QStringLiteral("file");
                if (!fi.suffix().isEmpty())
                    filters_ << QStringLiteral("file:") + LowerText(fi.suffix());
            }
        }
    } else if ((IsUrl(text) || IsBareWebAddress(text)) && p.isEmpty()) {
        filters_ = fresh ? QStringList{QStringLiteral("url")} : QStringList();
    }
}

bool TInputAssist::BuildSpacePopup(const TSuggestSources& src, const TAssistEdit& edit, bool isUpdate) {
    const TSettings& s = src.settings;
    if (IncognitoSuppresses(s.incognito, s.incognitoconfig, QStringLiteral("i")))
        return false;
    const bool opening = !isUpdate;
    const TAssistMode before = mode_;
    if (opening) {
        mode_ = TAssistMode::HistoryKeywords;
        filters_.clear();
        web_.reset();
    }
    rows_.clear();
    typeTags_.clear();
    extraContext_.clear();

    // 1. The keyword part (K) and the parameters (P).
    const QString t = edit.infoText ? QString() : edit.text;
    const int c = std::clamp(edit.caret, 0, int(t.size()));
    QString k = TrimText(FirstWord(t));
    const QString p = TrimText(ParamText(t));
    if (!p.isEmpty() && k.size() + 1 < c)
        k.clear();
    else
        k = TrimText(t.left(c));
    if (edit.selLength > 0 && c > 0)
        k = TrimText(k.left(c));
    if (c == 0)
        k.clear();

    // 2. The keyword of the line, and whether it searches the web.
    const TExeWord* w = src.keywords.FindKeyword(FirstWord(t), true);
    std::optional<TExeWord> web;
    if (w && IsUrl(ApplyDefaultBlocks(ExpandedCommand(src, *w), p)))
        web = *w;
    web_ = web;

    // 3. Type filters from a typed path or address.
    if (!w)
        ApplyTypeFilters(src, t, isUpdate, before == TAssistMode::HistoryKeywordsWithParameters);

    // 4. The mode.
    bool param = !p.isEmpty();
    bool sameTagStep = false;
    bool fromType = false;
    bool startOver = false;
    if (opening) {
        mode_ = k.isEmpty() ? TAssistMode::HistoryKeywords : TAssistMode::NameMatch;
    } else {
        const bool cycleOver = s.inputassistcycle == 1 && web_ &&
                               (before == TAssistMode::HistoryKeywordsWithParameters || before == TAssistMode::Type);
        if (cycleOver) {
            startOver = true;
            mode_ = k.isEmpty() ? TAssistMode::HistoryKeywords : TAssistMode::NameMatch;
        } else {
            switch (before) {
            case TAssistMode::HistoryKeywords:
                if (p.isEmpty()) {
                    mode_ = TAssistMode::HistoryUrls;
                    k.clear();
                } else if (!k.isEmpty()) {
                    mode_ = TAssistMode::NameMatch;
                }
                break;
            case TAssistMode::NameMatch:
                mode_ = TAssistMode::HistoryKeywords;
                k.clear();
                break;
            case TAssistMode::SameTag:
                mode_ = TAssistMode::NameMatch;
                break;
            case TAssistMode::HistoryUrls:
                mode_ = TAssistMode::HistoryPaths;
                k.clear();
                break;
            case TAssistMode::HistoryPaths:
                mode_ = TAssistMode::HistoryIndexed;
                k.clear();
                break;
            case TAssistMode::HistoryIndexed:
                k.clear();
                if (!p.isEmpty()) {
                    mode_ = TAssistMode::HistoryKeywords;
                } else {
                    mode_ = TAssistMode::HistoryKeywordsWithParameters;
                    param = true;
                }
                break;
            case TAssistMode::HistoryKeywordsWithParameters:
                if (!k.isEmpty()) {
                    if (w && !w->group.isEmpty())
                        sameTagStep = true;
                    else
                        mode_ = TAssistMode::NameMatch;
                } else {
                    mode_ = TAssistMode::HistoryKeywords;
                }
                break;
            case TAssistMode::Type:
                mode_ = TAssistMode::HistoryKeywords;
                fromType = true;
                break;
            }
        }
    }
    if (web_) {
        if (s.inputassistcycle == 1) {
            if (opening || startOver) {
                filters_ = {QStringLiteral("url")};
                if (before == TAssistMode::Type && startOver)
                    web_.reset(); // leaving the type rows also leaves the keyword behind
            } else {
                web_.reset();
                filters_.clear();
            }
        } else if (mode_ == TAssistMode::HistoryKeywords && !fromType) {
            filters_ = {QStringLiteral("url")};
        } else {
            web_.reset();
            filters_.clear();
            if (mode_ == TAssistMode::HistoryKeywords)
                k.clear();
        }
    }

    // 5. The rows.
    if (!filters_.isEmpty()) {
        TypeSearch(src);
        if (!rows_.isEmpty()) {
            mode_ = TAssistMode::Type;
            if (s.inputassistsorting == 0)
                OrderByRecentUse(src, 0);
        }
    }
    if (rows_.isEmpty() && w && !w->group.isEmpty() && (opening || sameTagStep)) {
        SameTagSearch(src, *w);
        if (!rows_.isEmpty()) {
            mode_ = TAssistMode::SameTag;
            if (s.inputassistsorting == 0)
                OrderByRecentUse(src, 0);
        }
    }
    if (rows_.isEmpty() && sameTagStep)
        mode_ = TAssistMode::NameMatch; // nothing shares a tag: the name search stands in
    if (rows_.isEmpty() && !k.isEmpty())
        NameSearch(src, k, w, param);
    if (rows_.isEmpty() && k.isEmpty()) {
        switch (mode_) {
        case TAssistMode::HistoryUrls:
        case TAssistMode::HistoryPaths:
        case TAssistMode::HistoryIndexed:
            HistoryTexts(src, mode_);
            break;
        default:
            if (param)
                mode_ = TAssistMode::HistoryKeywordsWithParameters;
            HistoryKeywords(src, w, param);
            break;
        }
    }

    // 7. The footer.
    QString what;
    switch (mode_) {
    case TAssistMode::HistoryKeywords: what = QStringLiteral("history:keywords"); break;
    case TAssistMode::NameMatch: what = QStringLiteral("match:") + k; break;
    case TAssistMode::SameTag: what = QStringLiteral("same tag as:") + (w ? w->DefaultKeyword() : QString()); break;
    case TAssistMode::HistoryUrls: what = QStringLiteral("history:url"); break;
    case TAssistMode::HistoryPaths: what = QStringLiteral("history:path"); break;
    case TAssistMode::HistoryIndexed: what = QStringLiteral("history:indexed"); break;
    case TAssistMode::HistoryKeywordsWithParameters: what = QStringLiteral("history:keywords(param)"); break;
    case TAssistMode::Type:
        what = QStringLiteral("type:") + typeTags_.join(QLatin1Char(',')) + (web_ ? QStringLiteral("(keyword)") : QString());
        break;
    }
    context_ = QStringLiteral("> ") + what;
    if (rows_.isEmpty())
        extraContext_ = QStringLiteral("No results found.");
    return true;
}

void TInputAssist::TypeSearch(const TSuggestSources& src) {
    for (const auto& w : src.keywords) {
        if (w->disabled || w->group.isEmpty())
            continue;
        bool matched = false;
        for (const QString& tag : TagsOf(*w)) {
            if (!filters_.contains(tag, Qt::CaseInsensitive) || !w->UsesParameters())
                continue;
            matched = true;
            if (!typeTags_.contains(LowerText(tag)))
                typeTags_.append(LowerText(tag));
        }
        if (matched)
            Add(w->DefaultKeyword());
    }
}

void TInputAssist::SameTagSearch(const TSuggestSources& src, const TExeWord& w) {
    const QStringList own = TagsOf(w);
    for (const auto& other : src.keywords) {
        if (other->disabled || other.get() == &w || other->keywords == w.keywords)
            continue;
        const QStringList tags = TagsOf(*other);
        if (std::any_of(tags.begin(), tags.end(), [&](const QString& t) { return own.contains(t); }))
            Add(other->DefaultKeyword());
    }
}

void TInputAssist::NameSearch(const TSuggestSources& src, const QString& k, const TExeWord* w, bool param) {
    QString self;
    for (const auto& kw : src.keywords) {
        if (kw->disabled)
            continue;
        const QStringList names = kw->keywords.split(QLatin1Char(','));
        if (std::any_of(names.begin(), names.end(), [&](const QString& n) { return SameText(n, k); })) {
            self = k;
            continue;
        }
        const QStringList tags = TagsOf(*kw);
        bool match = std::any_of(names.begin(), names.end(), [&](const QString& n) { return ContainsText(n, k); }) ||
                     std::any_of(tags.begin(), tags.end(), [&](const QString& t) { return SameText(t, k); });
        // Two letters are found in nearly every comment: descriptions count from three on.
        if (!match && k.size() > 2)
            match = ContainsText(kw->comment, k) ||
                    std::any_of(tags.begin(), tags.end(), [&](const QString& t) { return ContainsText(t, k); });
        if (match && (!param || kw->UsesParameters()))
            Add(kw->DefaultKeyword());
    }
    if (!rows_.isEmpty()) {
        OrderByRecentUse(src, 0);
        if (!self.isEmpty())
            rows_.prepend(self);
        return;
    }
    // Nothing by name: the keywords the user ran lately stand in.
    if (HistoryKeywords(src, w, param) && w)
        self = w->DefaultKeyword();
    if (!self.isEmpty()) {
        rows_.removeAll(self);
        rows_.prepend(self);
        extraContext_ = QStringLiteral("Only self match, switched mode");
    } else {
        extraContext_ = QStringLiteral("No matches, switched mode");
    }
    if (mode_ != TAssistMode::HistoryKeywordsWithParameters)
        mode_ = TAssistMode::HistoryKeywords;
}

bool TInputAssist::HistoryKeywords(const TSuggestSources& src, const TExeWord* w, bool param) {
    bool selfSeen = false;
    const QString own = w ? w->DefaultKeyword() : QString();
    for (const THistoryEntry& e : src.history) {
        if (e.item)
            continue;
        const QString f = TrimText(FirstWord(e.text));
        if (w && SameText(own, f)) {
            selfSeen = true;
            continue;
        }
        const TExeWord* kw = src.keywords.KeywordExistsEx(f, true, true);
        if (!kw || rows_.contains(f, Qt::CaseInsensitive))
            continue;
        if (param) {
            mode_ = TAssistMode::HistoryKeywordsWithParameters;
            if (!kw->UsesParameters())
                continue;
        }
        Add(f);
        if (rows_.size() >= kMaxHistoryRows)
            break;
    }
    return selfSeen;
}

void TInputAssist::HistoryTexts(const TSuggestSources& src, TAssistMode mode) {
    for (const THistoryEntry& e : src.history) {
        bool take = false;
        if (mode == TAssistMode::HistoryUrls)
            take = !e.item && (IsUrl(e.text) || IsBareWebAddress(e.text)) && !IsPath(e.text) && !IsExecutableName(e.text);
        else if (mode == TAssistMode::HistoryPaths)
            take = !e.item && IsPath(e.text);
        if (mode == TAssistMode::HistoryIndexed) {
            if (e.item)
                Add(e.item->name);
        } else if (take) {
            Add(e.text);
        }
        if (rows_.size() >= kMaxHistoryRows)
            break;
    }
}

void TInputAssist::OrderByRecentUse(const TSuggestSources& src, qsizetype from) {
    QStringList recent;
    for (const THistoryEntry& e : src.history) {
        if (e.item)
            continue;
        const QString f = TrimText(FirstWord(e.text));
        if (!recent.contains(f, Qt::CaseInsensitive) && src.keywords.KeywordExistsEx(f, true, false))
            recent.append(f);
    }
    std::vector<std::pair<qsizetype, QString>> keyed;
    for (qsizetype i = from; i < rows_.size(); ++i) {
        qsizetype pos = -1;
        for (qsizetype j = 0; j < recent.size() && pos < 0; ++j)
            if (SameText(recent[j], rows_[i]))
                pos = j;
        keyed.emplace_back(pos >= 0 ? pos : i + 100000, rows_[i]);
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (qsizetype i = 0; i < qsizetype(keyed.size()); ++i)
        rows_[from + i] = keyed[size_t(i)].second;
}

TAssistChoice TInputAssist::InputAssistSelect(const TSuggestSources& src, const TAssistEdit& edit, int row,
                                              bool isSoft) const {
    const TSettings& s = src.settings;
    TAssistChoice out;
    if ((!isSoft && s.inputassistenter == 4) || (isSoft && s.inputassistarrow == 4))
        return out;
    if (row < 0 || row >= rows_.size())
        return out;
    const QString line = edit.infoText ? QString() : edit.text;
    const QString r = rows_[row];
    QString p = TrimText(ParamText(line));
    const bool typeMode = mode_ == TAssistMode::Type;

    if (typeMode && web_) {
        // The typed address goes to the chosen keyword through the web-search keyword's address.
        if (!src.keywords.FindKeyword(r, true))
            return out;
        const QString target = SubstituteParameters(ExpandedCommand(src, *web_), p);
        out.execute = true;
        out.executeText = r + QLatin1Char(' ') + target;
        return out;
    }
    if (typeMode)
        p = TrimText(line);
    const bool replace = ((mode_ == TAssistMode::NameMatch || mode_ == TAssistMode::SameTag) && !line.isEmpty()) ||
                         src.keywords.KeywordExistsEx(FirstWord(line), true, false);
    const TExeWord* chosen = src.keywords.FindKeyword(r, true);
    const QString space = chosen && chosen->UsesParameters() ? QStringLiteral(" ") : QString();
    const bool fast = chosen && HasTag(*chosen, QStringLiteral("fast"));

    if (p.isEmpty())
        out.line = r + space;
    else
        out.line = r + space + TrimLeftText(replace ? ParamText(line) : line);
    out.setLine = true;

    const int setting = isSoft ? s.inputassistarrow : s.inputassistenter;
    const bool run = fast || (setting == 2 && space.isEmpty()) || setting == 3;
    if (!typeMode && !run)
        return out;
    bool execute;
    if (isSoft)
        execute = !(setting == 0 || (setting == 1 && !typeMode && !fast));
    else
        execute = setting != 0 && (setting != 1 || typeMode || fast);
    if (execute) {
        out.execute = true;
        out.executeText = out.line;
    }
    return out;
}

} // namespace vantrelo
