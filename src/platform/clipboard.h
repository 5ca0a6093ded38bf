// The system clipboard as logic sees it: text, files, a change counter and whole-content snapshots.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

namespace vantrelo {

// Everything the clipboard held at one moment, in every format; only the clipboard reads it back.
class TClipboardContent {
public:
    virtual ~TClipboardContent() = default;
};

class TClipboard {
public:
    virtual ~TClipboard() = default;
    virtual bool HasText() const = 0;
    virtual QString Text() const = 0;
    virtual void SetText(const QString& text) = 0;
    // A text on the clipboard only for a paste (the user's content comes back after it): marked so
    // that a clipboard history leaves it out.
    virtual void SetTransientText(const QString& text) = 0;
    // Whether the clipboard holds such a text now.
    virtual bool HoldsTransientText() const = 0;
    // Local paths of the files on the clipboard (a file manager's copy); empty when none.
    virtual QStringList Files() const = 0;
    // Grows by at least one with every change of the clipboard's owner or content.
    virtual quint64 ChangeCount() const = 0;
    virtual std::unique_ptr<TClipboardContent> Save() const = 0;
    virtual void Restore(const TClipboardContent& content) = 0;
};

} // namespace vantrelo
