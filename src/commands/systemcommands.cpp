// System commands: trash, search, screen saver, lock, eject, media keys, volume, backup, data folder.
#include "commands/builtins.h"
#include "platform/vkeys.h"
#include "commands/commandhost.h"
#include "commands/dispatcher.h"
#include "commands/volume.h"
#include "core/text.h"
#include "exec/execcontext.h"
#include "exec/inputhost.h"
#include "platform/discdrive.h"
#include "platform/keysender.h"
#include "platform/processlauncher.h"
#include "platform/sessioncontrol.h"
#include "platform/trash.h"
#include "platform/volumecontrol.h"
#include "platform/waiter.h"

#include <algorithm>

namespace vantrelo {

namespace {

// One press of a volume key moves the level by two points.
constexpr double kVolumeKeyStep = 0.02;

const QString kNoSoundServer = QStringLiteral("The sound server did not answer");

void Report(TCommandCall& c, const TSystemResult& r) {
    if (!r.ok)
        c.Fail(r.message);
}

// A key goes down and up, then the events it caused run once.
void Tap(TCommandServices& s, int vk, int modifiers = 0) {
    s.exec->services.keys->SendChord(vk, modifiers);
    s.exec->services.waiter->ProcessPendingEvents();
}

void StepVolume(TCommandServices& s, TCommandCall& c, double delta) {
    const std::optional<double> level = s.volume->Level();
    if (!level) {
        c.Fail(kNoSoundServer);
        return;
    }
    Report(c, s.volume->SetLevel(std::clamp(*level + delta, 0.0, 1.0)));
}

void Volume(TCommandServices& s, TCommandCall& c) {
    const QString p = TrimText(FallbackParam(c, *s.exec, true));
    const std::optional<double> level = s.volume->Level();
    if (!level) {
        c.Fail(kNoSoundServer);
        return;
    }
    const TVolumePlan plan = PlanVolume(p, *level);
    if (plan.level)
        Report(c, s.volume->SetLevel(*plan.level));
    if (!plan.answer.isEmpty())
        s.exec->services.input->SetNewWord(plan.answer, true, false);
}

void Eject(TCommandServices& s, TCommandCall& c) {
    // Device names are case-sensitive here, so only the "close" word is compared without case.
    QString p = FallbackParam(c, *s.exec, false);
    p.remove(QLatin1Char(':'));
    const QStringList words = TrimText(p).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString device = words.value(0);
    const bool close = words.size() > 1 && StartsText(QStringLiteral("c"), words.at(1));
    Report(c, s.disc->Eject(device, close));
}

void BackupNow(TCommandServices& s, TCommandCall& c) {
    TBackupRequest request = s.host->BackupRequest();
    request.force = true;
    QString error;
    if (!Backup(s.places, request, &error)) {
        c.Fail(error.isEmpty() ? QStringLiteral("The backup could not be made") : error);
        return;
    }
    s.exec->services.input->SetNewWord(QStringLiteral("Backup done (type -folder to see *.bak files)"), true, false);
}

void OpenDataFolder(TCommandServices& s, TCommandCall& c) {
    const TSpawnResult r = s.launcher->OpenWithDesktop(s.places.dataFolder);
    if (!r.Ok())
        c.Fail(r.error.isEmpty() ? QStringLiteral("The data folder could not be opened: ") + s.places.dataFolder
                                 : r.error);
}

} // namespace

void RegisterSystemCommands(TCommandDispatcher& d) {
    TCommandServices& s = d.Services();
    using B = TCommandBlock;
    d.SetHandler(B::EmptyRecycleBin, [&s](TCommandCall& c) { Report(c, s.trash->EmptyTrash()); });
    d.SetHandler(B::Search, [&s](TCommandCall&) { Tap(s, kVkS, kModWin); });
    d.SetHandler(B::ScreenSaver, [&s](TCommandCall& c) { Report(c, s.session->StartScreenSaver()); });
    d.SetHandler(B::Lock, [&s](TCommandCall& c) { Report(c, s.session->LockSession()); });
    d.SetHandler(B::Eject, [&s](TCommandCall& c) { Eject(s, c); });
    d.SetHandler(B::VolumeDown, [&s](TCommandCall& c) { StepVolume(s, c, -kVolumeKeyStep); });
    d.SetHandler(B::VolumeUp, [&s](TCommandCall& c) { StepVolume(s, c, kVolumeKeyStep); });
    d.SetHandler(B::Volume, [&s](TCommandCall& c) { Volume(s, c); });
    d.SetHandler(B::Mute, [&s](TCommandCall& c) { Report(c, s.volume->ToggleMute()); });
    d.SetHandler(B::Pause, [&s](TCommandCall&) { Tap(s, kVkMediaPlayPause); });
    d.SetHandler(B::Play, [&s](TCommandCall&) { Tap(s, kVkMediaPlayPause); });
    d.SetHandler(B::Stop, [&s](TCommandCall&) { Tap(s, kVkMediaStop); });
    d.SetHandler(B::Next, [&s](TCommandCall&) { Tap(s, kVkMediaNext); });
    d.SetHandler(B::Prev, [&s](TCommandCall&) { Tap(s, kVkMediaPrev); });
    d.SetHandler(B::Media, [&s](TCommandCall&) { Tap(s, kVkLaunchMediaSelect); });
    d.SetHandler(B::Backup, [&s](TCommandCall& c) { BackupNow(s, c); });
    d.SetHandler(B::DataFolder, [&s](TCommandCall& c) { OpenDataFolder(s, c); });
}

} // namespace vantrelo
