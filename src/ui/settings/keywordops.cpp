// The keyword editor's list operations; the keyword file is written by the caller.
#include "ui/settings/keywordops.h"

#include "core/items.h"
#include "core/text.h"
#include "platform/hotkeys/hotkeytext.h"

#include <algorithm>

namespace vantrelo {

namespace {

std::unique_ptr<TExeWord> CopyOf(const TExeWord& w, bool renamed) {
    auto copy = std::make_unique<TExeWord>(w);
    if (renamed)
        copy->keywords = QStringLiteral("copy_") + copy->keywords;
    // Two records with one hotkey: the copy would take it from the original at the next start.
    copy->key = -1;
    copy->keymod = -1;
    return copy;
}

} // namespace

THotkeyKeyUse ClassifyHotkeyKey(int key, bool hasModifier) {
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return THotkeyKeyUse::Focus;
    if (key == Qt::Key_Escape)
        return THotkeyKeyUse::Cancel;
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete)
        return THotkeyKeyUse::Clear;
    const bool standsAlone = (key >= Qt::Key_F1 && key <= Qt::Key_F35) ||
                             (key >= Qt::Key_VolumeDown && key <= Qt::Key_MediaLast) ||
                             key == Qt::Key_MediaPlay || key == Qt::Key_MediaStop || key == Qt::Key_MediaNext ||
                             key == Qt::Key_MediaPrevious || key == Qt::Key_MediaPause || key == Qt::Key_MediaTogglePlayPause;
    return standsAlone || hasModifier ? THotkeyKeyUse::Accept : THotkeyKeyUse::NeedsModifier;
}

qsizetype TKeywordOps::Add(qsizetype after) {
    const qsizetype pos = after < 0 || after >= words_.size() - 1 ? words_.size() : after + 1;
    words_.Insert(pos, MakeNewKeyword(QString(), QString(), QString()));
    return pos;
}

void TKeywordOps::Delete(std::vector<qsizetype> positions) {
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    undo_.clear();
    // From the last, so the positions before stay valid; the undo list keeps list order.
    for (auto it = positions.rbegin(); it != positions.rend(); ++it) {
        if (*it < 0 || *it >= words_.size())
            continue;
        if (hotkeys_.remove)
            hotkeys_.remove(words_.at(*it));
        undo_.insert(undo_.begin(), TDeleted{*it, words_.Take(*it)});
    }
}

qsizetype TKeywordOps::UndoDelete() {
    if (undo_.empty())
        return -1;
    const qsizetype first = undo_.front().pos;
    for (TDeleted& d : undo_) {
        TExeWord& w = words_.Insert(std::min(d.pos, words_.size()), std::move(d.word));
        if (hotkeys_.add && !w.disabled)
            hotkeys_.add(w);
    }
    undo_.clear();
    return first;
}

qsizetype TKeywordOps::Duplicate(qsizetype pos) {
    if (pos < 0 || pos >= words_.size())
        return -1;
    words_.Insert(pos + 1, CopyOf(words_.at(pos), true));
    return pos + 1;
}

void TKeywordOps::Copy(const std::vector<qsizetype>& positions, bool cut) {
    held_.clear();
    heldCut_ = cut;
    for (qsizetype p : positions)
        if (p >= 0 && p < words_.size())
            held_.push_back(cut ? std::make_unique<TExeWord>(words_.at(p)) : CopyOf(words_.at(p), false));
    if (cut)
        Delete(positions);
}

qsizetype TKeywordOps::Paste(qsizetype at) {
    if (held_.empty())
        return -1;
    const qsizetype base = at < 0 || at > words_.size() ? words_.size() : at;
    for (auto it = held_.rbegin(); it != held_.rend(); ++it) {
        auto copy = std::make_unique<TExeWord>(**it);
        if (!heldCut_)
            copy->keywords = QStringLiteral("copy_") + copy->keywords;
        TExeWord& w = words_.Insert(base, std::move(copy));
        if (hotkeys_.add && !w.disabled && w.key != -1)
            hotkeys_.add(w);
    }
    if (heldCut_)
        held_.clear();
    return base;
}

qsizetype TKeywordOps::Move(qsizetype from, qsizetype to) {
    if (from < 0 || from >= words_.size())
        return from;
    to = std::clamp<qsizetype>(to, 0, words_.size() - 1);
    auto w = words_.Take(from);
    words_.Insert(to, std::move(w));
    return to;
}

bool KeywordNameLess(const QString& a, const QString& b) {
    const bool qa = a.startsWith(u'?');
    const bool qb = b.startsWith(u'?');
    if (qa != qb)
        return qb;
    return a.toLower().compare(b.toLower(), Qt::CaseInsensitive) < 0;
}

void TKeywordOps::SortAll() {
    std::vector<TKeywordList::Ptr> all;
    while (!words_.empty())
        all.push_back(words_.Take(0));
    std::stable_sort(all.begin(), all.end(),
                     [](const auto& a, const auto& b) { return KeywordNameLess(a->keywords, b->keywords); });
    for (auto& w : all)
        words_.Add(std::move(w));
}

void TKeywordOps::ToggleEnabled(const std::vector<qsizetype>& positions) {
    for (qsizetype p : positions) {
        if (p < 0 || p >= words_.size())
            continue;
        TExeWord& w = words_.at(p);
        w.disabled = !w.disabled;
        const auto& act = w.disabled ? hotkeys_.remove : hotkeys_.add;
        if (act)
            act(w);
    }
}

void TKeywordOps::RemoveUnfinished() {
    for (qsizetype i = words_.size() - 1; i >= 0; --i)
        if (words_.at(i).keywords == TExeWord::kNewName && words_.at(i).command.isEmpty())
            words_.Remove(i);
}

QString MoreSummary(const TExeWord& w) {
    QString s;
    if (w.permissionlevel != -1)
        s += QStringLiteral("perm") + QString::number(w.permissionlevel) + u' ';
    if (!w.iconpath.isEmpty())
        s += QStringLiteral("icon ");
    if (w.runas)
        s += QStringLiteral("adm ");
    if (w.open == 2)
        s += QStringLiteral("max ");
    else if (w.open == 3)
        s += QStringLiteral("hide ");
    else if (w.open == 1)
        s += QStringLiteral("min ");
    if (!w.addtohistory)
        s += QStringLiteral("nohist ");
    if (w.onlyone)
        s += QStringLiteral("one ");
    return s.trimmed();
}

QString KeywordColumnText(const TExeWord& w, int column) {
    switch (column) {
    case 0: return w.keywords;
    case 1: return w.comment;
    case 2: return w.command;
    case 3: return w.parameters;
    case 4: return w.path;
    case 5: return w.key == -1 && w.keymod == -1 ? QString() : HotkeyText(w.key, w.keymod);
    case 6: return w.group;
    default: return MoreSummary(w);
    }
}

void TKeywordOps::SortBy(int column) {
    if (column <= 0) {
        SortAll();
        return;
    }
    // "Hotkey" compares its text with "None" for none, which goes last; the others put empty last.
    auto text = [column](const TExeWord& w) {
        if (column == 5)
            return w.key == -1 ? QStringLiteral("none") : LowerText(HotkeyText(w.key, w.keymod));
        return LowerText(KeywordColumnText(w, column));
    };
    const QString last = column == 5 ? QStringLiteral("none") : QString();
    std::vector<TKeywordList::Ptr> all;
    while (!words_.empty())
        all.push_back(words_.Take(0));
    std::stable_sort(all.begin(), all.end(), [&](const auto& a, const auto& b) {
        const QString ta = text(*a), tb = text(*b);
        if ((ta == last) != (tb == last))
            return tb == last;
        if (const int c = ta.compare(tb, Qt::CaseInsensitive); c != 0)
            return c < 0;
        return KeywordNameLess(a->keywords, b->keywords);
    });
    for (auto& w : all)
        words_.Add(std::move(w));
}

} // namespace vantrelo
