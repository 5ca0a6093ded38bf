// The running launcher: builds the application context, its services, windows and controllers in order.
#pragma once

#include "core/datafolder.h"

#include <QObject>
#include <QStringList>

#include <memory>

namespace vantrelo {

struct TAppContext;
class TLifecycle;
class TMainForm;
class TSkinDialogs;
class TImportDialogs;
class TNotesDialogs;

class TApplication final : public QObject {
    Q_OBJECT
public:
    TApplication(TPlaces places, QStringList args);
    ~TApplication() override;

    // Loads the data, opens the desktop services and shows the window; an exit code when the
    // program must end at once, -1 to run.
    int Start();
    // The orderly stop: settings, backup, index cache; idempotent.
    void Shutdown();
    TMainForm* Form() const;
    // The skin dialogs in place of the windows (a test scripts them); after Start.
    void SetSkinDialogs(std::unique_ptr<TSkinDialogs> dialogs);
    void SetImportDialogs(std::unique_ptr<TImportDialogs> dialogs);
    void SetNotesDialogs(std::unique_ptr<TNotesDialogs> dialogs);
    bool SafeMode() const;

private:
    // Everything that needs the settings: the services, the windows, the controllers and the pipeline.
    void Build();
    // The keyword hotkeys and the Windows-key hooks, over the services and the window.
    void BuildHotkeys();
    void UseShippedIcons();
    void SetProgramIcon();

    std::unique_ptr<TAppContext> ctx_;
    std::unique_ptr<TLifecycle> life_;
};

} // namespace vantrelo
