// The clipboard history of the running launcher: capture from the system clipboard, the list's
// source, "$PASTE1$".."$PASTE4$", choosing, removing and clearing entries.
#pragma once

#include "exec/inputhost.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

namespace vantrelo {

struct TAppContext;
class TClipKeeper;
class TMyClipItem;

class TClipController final : public TClipHistoryView {
public:
    explicit TClipController(TAppContext& ctx);
    ~TClipController() override;
    TClipController(const TClipController&) = delete;
    TClipController& operator=(const TClipController&) = delete;

    int Count() const override;
    QString Entry(int n) const override;
    const std::vector<TMyClipItem>& Entries() const;

    // Starts recording what is copied.
    void Watch();
    // Loads c.dat at start.
    void Read();
    // The exit write; false with `error` when it failed.
    bool WriteNow(QString* error = nullptr);
    // "$CLEARCLIPBOARD$": empties the history, deletes the file and says so.
    void Clear();
    bool Remove(const TMyClipItem& item);
    // A chosen entry: it becomes the newest, then its text goes to the clipboard.
    void Choose(const TMyClipItem& item);
    // Puts the text on the clipboard, brings the last active window to the front and pastes.
    void PasteToLastActive(const QString& text);

private:
    TAppContext& ctx_;
    // Receives the saver's failures on the user-interface thread; outlives the keeper's saver.
    std::unique_ptr<QObject> uiThread_;
    std::unique_ptr<TClipKeeper> keeper_;
    bool watching_ = false;
};

} // namespace vantrelo
