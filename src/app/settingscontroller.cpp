// The settings dialog's way into the running program: the record, the desktop entries, the look, the file.
#include "app/settingscontroller.h"

#include "app/appcontext.h"
#include "app/desktopservices.h"
#include "app/programcontroller.h"
#include "app/skincontroller.h"
#include "core/autostart.h"
#include "core/settings.h"
#include "platform/startup/dashcommands.h"
#include "ui/mainform.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

namespace vantrelo {

void TSettingsController::Open(TSetupTab tab, const QString& page) {
    if (open_)
        return; // the dialog is modal: a second request while it is open has nothing to add
    open_ = true;
    TSettings& s = ctx_.data.settings;
    const TSettings before = s;
    TSetupModel model(int(QGuiApplication::screens().size()));
    model.SetSettings(s);
    const TProgramInfo info = BuiltProgramInfo(QCoreApplication::applicationFilePath());
    const QString about = QStringLiteral("Vantrelo ") + info.version + QStringLiteral(" 64-bit\n\n(Build date: ") +
                          info.buildDate + u')';
    TSetupForm form(model, Actions(), about, ctx_.form.get());
    if (page.isEmpty() && tab == TSetupTab::Settings && place_.tab >= 0)
        form.Restore(place_);
    else {
        form.restoreGeometry(place_.geometry);
        form.OpenOn(tab, page);
    }
    const bool taken = form.exec() == QDialog::Accepted;
    place_ = form.Place();
    open_ = false;
    if (ctx_.closing)
        return;
    if (!taken) {
        // Cancel: the live sliders are undone; nothing else was taken.
        s.transactive = before.transactive;
        s.transinactive = before.transinactive;
        ctx_.skin->Apply();
        return;
    }
    model.GrabSettings(s);
    Apply(before);
}

void TSettingsController::AddKeyword() { Open(TSetupTab::Keywords); }

TSetupActions TSettingsController::Actions() {
    TSetupActions a;
    a.immediate = [this](const QString& key, bool on, QString* error) {
        const QString exe = QCoreApplication::applicationFilePath();
        const TSaveResult r = key == QLatin1String("autostart") ? RegStartUp(on, exe) : SetOpenWithEntry(on, exe);
        if (!r && error)
            *error = r.error;
        return bool(r);
    };
    a.opacity = [this](const QString& key, int value) {
        TSettings& s = ctx_.data.settings;
        (key == QLatin1String("transactive") ? s.transactive : s.transinactive) = value;
        if (key == QLatin1String("transactive"))
            ctx_.form->setWindowOpacity(value / 255.0);
    };
    a.resetDefaults = [this] {
        // The file without its "Setup" section, read back: every key takes its default.
        ctx_.store.WriteSettings(ctx_.data, true);
        ctx_.store.ReadSettings(ctx_.data, nullptr, true);
        ctx_.skin->Apply();
        return ctx_.data.settings;
    };
    return a;
}

void TSettingsController::Apply(const TSettings& before) {
    const TSettings& s = ctx_.data.settings;
    ctx_.skin->Apply();
    if (ctx_.desk->hotkeys && (s.hotkey != before.hotkey || s.hotkeyadd != before.hotkeyadd)) {
        ctx_.desk->hotkeys->Unregister(1);
        const bool ok = s.hotkey == 0 || ctx_.desk->hotkeys->Register(1, s.hotkey, s.hotkeyadd);
        if (!ok) {
            // The old hotkey comes back, so the window stays reachable.
            ctx_.desk->hotkeys->Register(1, before.hotkey, before.hotkeyadd);
            ctx_.program->Message(QStringLiteral("Warning"), QStringLiteral("Unable to assign hotkey."), true);
        }
    }
    ctx_.program->WriteSettings();
    if (s.center != before.center && s.center != 0)
        ctx_.form->CenterOnMonitor(TCentre(s.center), false);
}

} // namespace vantrelo
