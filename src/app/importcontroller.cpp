// Importing the application menu as keywords: collected on a worker, added and saved on this thread.
#include "app/importcontroller.h"

#include "app/appcontext.h"
#include "app/desktopservices.h"
#include "app/programcontroller.h"
#include "core/keywordlist.h"
#include "index/appimport.h"
#include "index/scanroots.h"
#include "index/storeapps.h"

#include <memory>
#include <vector>

namespace vantrelo {

void TImportController::ImportApplications() {
    if (running_ || ctx_.closing)
        return;
    running_ = true;
    ctx_.program->ShowToast(QStringLiteral("Importing from the application menu..."));
    const TScanRoots roots = TScanRoots::FromEnvironment();
    const QString data = ctx_.store.Places().dataFolder;
    TImportContext ic;
    ic.menuFolders = roots.ApplicationFolders();
    ic.dataFolder = data;
    ic.appsFolder = data + QStringLiteral("Apps/");
    ic.locale = roots.locale;
    ic.desktops = roots.desktops;
    ic.pathEnv = roots.pathEnv;
    TStoreAppsRequest apps;
    apps.folder = ic.appsFolder;
    apps.exportDirs = roots.storeAppDirs;
    apps.desktops = roots.desktops;
    apps.pathEnv = roots.pathEnv;
    apps.locale = roots.locale;
    const bool keepApps = ctx_.data.settings.indexuwp;
    auto found = std::make_shared<std::vector<std::unique_ptr<TExeWord>>>();
    // Reading every desktop entry may take a while on a large system: the window stays live.
    ctx_.desk->tasks->Run(
        [ic, apps, found] { *found = ImportableApplications(ic, &apps); },
        [this, found, data, apps, keepApps] {
            running_ = false;
            if (ctx_.closing)
                return;
            const int added = AddNewApplications(*found, ctx_.data.keywords, data);
            if (!keepApps) {
                // The app folder serves the index only; the imported keywords point at copies.
                TStoreAppsRequest remove = apps;
                remove.removeFolder = true;
                SyncStoreApps(remove);
            }
            if (added > 0) {
                ctx_.data.tags.Build(ctx_.data.keywords);
                ctx_.program->WriteSettings();
            }
            ctx_.program->ShowToast(added == 1 ? QStringLiteral("1 application added as a keyword.")
                                               : QStringLiteral("%1 applications added as keywords.").arg(added));
        });
}

} // namespace vantrelo
