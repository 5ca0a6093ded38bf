// Keyword records and the item objects that lists, the index and the pipeline pass around.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <memory>

namespace vantrelo {

// What an item is; `ItemAs` reads it instead of asking the type system.
enum class TItemKind { Keyword, Shell, Window, Simple, Clip, Fuzzy };

// Root of every object that can sit in a list or be bound to the current input.
class TItem {
public:
    virtual ~TItem() = default;
    virtual std::unique_ptr<TItem> CloneItem() const = 0;
    virtual TItemKind Kind() const = 0;

protected:
    TItem() = default;
    TItem(const TItem&) = default;
    TItem& operator=(const TItem&) = default;
};

// One keyword: names, command and options.
class TExeWord final : public TItem {
public:
    QString keywords;
    QString command;
    QString path;
    QString parameters;
    int open = 0; // 0 normal, 1 minimised, 2 maximised, 3 hidden
    QString comment;
    bool runas = false;
    bool addtohistory = true;
    int key = -1;
    int keymod = -1; // 1 Alt, 2 Ctrl, 4 Shift, 8 Win
    QString group;   // tags separated by spaces
    QString iconpath;
    int iconidx = 0;
    bool onlyone = false;
    int permissionlevel = -1;
    // The origin of the pages `permissionlevel` was granted for ("scheme://host[:port]", "file://");
    // empty in files written before grants named one: then that of the keyword's own address.
    QString permissionorigin;
    bool disabled = false;

    static const QString kNewName; // "new..."

    void Clone(const TExeWord& source) { *this = source; }
    QString DefaultKeyword() const;
    bool IsDefault() const { return keywords == kNewName; }
    bool UsesParameters() const;
    std::unique_ptr<TItem> CloneItem() const override { return std::make_unique<TExeWord>(*this); }
    static constexpr TItemKind kKind = TItemKind::Keyword;
    TItemKind Kind() const override { return kKind; }
};

// An entry of the file index.
class TMyShellItem final : public TItem {
public:
    int mtype = 0;
    QString name;
    QString root;
    QString path;
    int liconid = -2;
    int siconid = -2;
    QString title;
    QByteArray ps;
    std::unique_ptr<TItem> CloneItem() const override { return std::make_unique<TMyShellItem>(*this); }
    static constexpr TItemKind kKind = TItemKind::Shell;
    TItemKind Kind() const override { return kKind; }
};

// An open top-level window.
class TMyWindowItem final : public TItem {
public:
    quint64 hand = 0;
    QString name;
    QString moreinfo;
    std::unique_ptr<TItem> CloneItem() const override { return std::make_unique<TMyWindowItem>(*this); }
    static constexpr TItemKind kKind = TItemKind::Window;
    TItemKind Kind() const override { return kKind; }
};

// A plain text entry (history texts, tags, special lists).
class TMySimpleItem final : public TItem {
public:
    QString name;
    std::unique_ptr<TItem> CloneItem() const override { return std::make_unique<TMySimpleItem>(*this); }
    static constexpr TItemKind kKind = TItemKind::Simple;
    TItemKind Kind() const override { return kKind; }
};

// A clipboard-history entry.
class TMyClipItem final : public TItem {
public:
    QString clipb;
    QDateTime ts;
    std::unique_ptr<TItem> CloneItem() const override { return std::make_unique<TMyClipItem>(*this); }
    static constexpr TItemKind kKind = TItemKind::Clip;
    TItemKind Kind() const override { return kKind; }
};

// A suggestion from fuzzy or short-form matching; owns the suggested object.
class TMyFuzzyItem final : public TItem {
public:
    QString name;
    std::unique_ptr<TItem> obj;

    TMyFuzzyItem() = default;
    TMyFuzzyItem(const TMyFuzzyItem& other);
    TMyFuzzyItem& operator=(const TMyFuzzyItem& other);
    std::unique_ptr<TItem> CloneItem() const override { return std::make_unique<TMyFuzzyItem>(*this); }
    static constexpr TItemKind kKind = TItemKind::Fuzzy;
    TItemKind Kind() const override { return kKind; }
};

// Argument with which a dash command opens a settings page; never enters a list.
struct TMyOpenSettingsItem {
    QString t;
    QString param;
};

// One folder of the index's scan list.
struct TMyScanItem {
    QString path;
    QString extensions;
    QString subdirs;
    QString level;
};

// The item as a `T` when it is one, else null (also for null).
template <class T>
const T* ItemAs(const TItem* item) {
    return item && item->Kind() == T::kKind ? static_cast<const T*>(item) : nullptr;
}
// The object a fuzzy suggestion wraps; any other item is itself.
const TItem* Unwrapped(const TItem* item);

// Deep copy of a shell, window, clip or fuzzy item, or of a keyword; null for anything else.
std::unique_ptr<TItem> CloneItem(const TItem* item);
// The same for list entries only: keywords and simple items give null.
std::unique_ptr<TItem> CloneListItem(const TItem* item);

} // namespace vantrelo
