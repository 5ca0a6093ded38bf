// Capture, saving and clearing of the clipboard history.
#include "tools/clipkeeper.h"

#include "core/atomicfile.h"
#include "core/incognito.h"
#include "core/settings.h"
#include "platform/clipboard.h"
#include "platform/clock.h"

#include <QFileInfo>

namespace vantrelo {

TClipKeeper::TClipKeeper(TSetup setup) : s_(std::move(setup)), store_(std::make_shared<TClipFileStore>(s_.file)) {}

TClipKeeper::~TClipKeeper() { JoinSaver(); }

bool TClipKeeper::Persisting() const {
    return !s_.safeMode && s_.settings->clipboardsniffer && s_.settings->clipboardhours > 0;
}

void TClipKeeper::OnClipboardChanged() {
    const TSettings& s = *s_.settings;
    if (!s.clipboardsniffer || IncognitoSuppresses(s.incognito, s.incognitoconfig, QStringLiteral("c")))
        return;
    // A paste's own text is gone again a moment later: it is no copy of the user's.
    if (!s_.clipboard->HasText() || s_.clipboard->HoldsTransientText())
        return;
    const QString text = s_.clipboard->Text();
    // An unreadable clipboard (its owner vanished) reads as empty: nothing to record.
    if (text.isEmpty() || !history_.Add(text, s_.clock->Now()))
        return;
    Changed();
}

void TClipKeeper::Changed() {
    ++version_;
    if (started_ && Persisting() && !SaverRunning())
        StartSaver();
}

void TClipKeeper::StartSaver() {
    JoinSaver();
    // The thread works on its own copy: the live list is never read off this thread.
    saverDone_ = std::make_shared<std::atomic<bool>>(false);
    saver_ = std::thread([entries = history_.Entries(), now = s_.clock->Now(), hours = s_.settings->clipboardhours,
                          version = version_, store = store_, done = saverDone_, failed = s_.saveFailed] {
        QString error;
        if (!store->Write(EncodeClipFile(entries, now, hours), version, &error) && !error.isEmpty() && failed)
            failed(error);
        done->store(true);
    });
}

void TClipKeeper::JoinSaver() {
    if (saver_.joinable())
        saver_.join();
}

void TClipKeeper::Read() {
    started_ = true;
    if (!Persisting())
        return;
    QFileInfo info(s_.file);
    if (!info.exists() || info.size() > kMaxClipFileBytes)
        return;
    QString text;
    if (!ReadTextFile(s_.file, text))
        return;
    history_.Append(DecodeClipFile(text, s_.clock->Now(), s_.settings->clipboardhours));
}

bool TClipKeeper::WriteNow(QString* error) {
    JoinSaver();
    if (!Persisting())
        return true;
    QString why;
    if (store_->Write(EncodeClipFile(history_.Entries(), s_.clock->Now(), s_.settings->clipboardhours), ++version_, &why) ||
        why.isEmpty())
        return true;
    if (error)
        *error = why;
    return false;
}

TClipKeeper::TCleared TClipKeeper::Clear() {
    JoinSaver();
    TCleared out;
    out.count = history_.Clear();
    out.deleted = store_->Delete(++version_);
    return out;
}

bool TClipKeeper::Remove(const TMyClipItem& item) {
    if (!history_.Remove(item.clipb, item.ts))
        return false;
    Changed();
    return true;
}

void TClipKeeper::Choose(const TMyClipItem& item) {
    history_.MoveToNewest(item.clipb, s_.clock->Now());
    Changed();
}

} // namespace vantrelo
