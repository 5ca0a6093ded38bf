// Recent documents from the freedesktop store, recently-used.xbel in the user's data folder.
#pragma once

#include "platform/recentdocuments.h"

#include <QString>

namespace vantrelo {

class TXbelRecentDocuments final : public TRecentDocuments {
public:
    // `dataHome` is $XDG_DATA_HOME (default ~/.local/share); the store is read on every call.
    explicit TXbelRecentDocuments(QString dataHome) : dataHome_(std::move(dataHome)) {}
    // The folder of the running user, from $XDG_DATA_HOME or the home folder.
    static QString DefaultDataHome();
    std::vector<TMyShellItem> RecentDocuments() const override;

private:
    QString dataHome_;
};

} // namespace vantrelo
