// The input window's look in the running program: a skin applied, loaded, reloaded, installed or saved.
#include "app/skincontroller.h"

#include "app/appcontext.h"
#include "app/desktopservices.h"
#include "app/programcontroller.h"
#include "core/text.h"
#include "ui/mainform.h"
#include "ui/skin/skininstall.h"
#include "ui/skin/skinsave.h"
#include "ui/skindialogs.h"

#include <QDir>
#include <QFileInfo>

namespace vantrelo {

QString TSkinController::SkinsFolder() const { return ctx_.store.Places().dataFolder + QStringLiteral("skins/"); }

void TSkinController::Apply() {
    const TSettings& s = ctx_.data.settings;
    TSkinLayout layout = DefaultSkinLayout(s);
    if (!TrimText(s.skinname).isEmpty()) {
        TSkinReadRequest request;
        request.name = s.skinname;
        request.programFolder = ctx_.store.Places().programFolder;
        const TSkinReadResult r = ReadSkin(request, s);
        // A skin that does not check leaves the built-in look, and says why.
        if (!r.ok)
            ctx_.program->Message(QStringLiteral("Vantrelo"), r.error, true);
        else if (r.found)
            layout = r.layout;
    }
    ctx_.form->SetSkinLayout(layout);
    ctx_.form->ApplyLook();
}

bool TSkinController::Load(const QString& path) {
    TSkinReadRequest request;
    request.name = path;
    request.programFolder = ctx_.store.Places().programFolder;
    request.load = true;
    const TSkinReadResult r = ReadSkin(request, ctx_.data.settings);
    if (!r.ok) {
        ctx_.program->Message(QStringLiteral("Vantrelo"), r.error, true);
        return false;
    }
    if (!r.found) {
        ctx_.program->Message(QStringLiteral("Vantrelo"),
                              QStringLiteral("The .skn skin file not found (") + path + QStringLiteral(")."), true);
        return false;
    }
    // The skin's values are settings from now on, kept with the others.
    ctx_.data.settings = r.settings;
    ctx_.form->HideList();
    ctx_.form->SetSkinLayout(r.layout);
    ctx_.form->ApplyLook();
    ctx_.program->SetStatePanel();
    ctx_.program->WriteSettings();
    if (!r.note.isEmpty())
        ctx_.program->Message(QStringLiteral("Info"), r.note, false);
    return true;
}

void TSkinController::Reload() {
    const QString name = TrimText(ctx_.data.settings.skinname);
    if (name.isEmpty()) {
        Apply();
        return;
    }
    if (Load(name))
        ctx_.program->ShowToast(QStringLiteral("Reloading skin"));
}

void TSkinController::Install(const QString& parameter) {
    const QString start = SkinStartFolder(ctx_.data.settings.skinname, ctx_.store.Places().programFolder);
    QString chosen = TrimText(parameter);
    if (chosen.isEmpty()) {
        chosen = ctx_.skinDialogs->OpenSkin(start);
        if (chosen.isEmpty())
            return;
    }
    QDir().mkpath(SkinsFolder());
    const TSkinInstaller installer(SkinsFolder(), &ctx_.desk->fetcher);
    // A download answers later, on this thread; the window may be closing by then.
    installer.Install(chosen, start, QDir::homePath(), [this](const TSkinInstallResult& r) {
        if (!ctx_.closing)
            Installed(r.ok, r.error, r.skinPath);
    });
}

void TSkinController::Installed(bool ok, const QString& error, const QString& skinPath) {
    if (!ok) {
        ctx_.program->Message(QStringLiteral("Vantrelo"), error, true);
        return;
    }
    Load(skinPath);
}

void TSkinController::SaveAs() {
    const std::optional<TSkinSaveGroups> groups = ctx_.skinDialogs->AskSaveGroups();
    if (!groups)
        return;
    const QString programSkins = ctx_.store.Places().programFolder + QStringLiteral("skins");
    const QString path = ctx_.skinDialogs->SaveSkinFile(QFileInfo(programSkins).isDir() ? programSkins : QString());
    if (path.isEmpty())
        return;
    const TSettings& s = ctx_.data.settings;
    const TSaveResult r = SaveSkin(path, *groups, s, ctx_.form->SkinLayout(), ResolveSkinPath(s.skinname, ctx_.store.Places().programFolder));
    if (!r)
        ctx_.program->Message(QStringLiteral("Vantrelo"), r.error, true);
    else
        ctx_.program->ShowToast(QStringLiteral("Skin saved: ") + QFileInfo(path).fileName());
}

} // namespace vantrelo
