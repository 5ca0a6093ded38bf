// Linux implementations of power, session, trash, volume, disc drive and network information.
#pragma once

#include "platform/discdrive.h"
#include "platform/networkinfo.h"
#include "platform/power.h"
#include "platform/sessioncontrol.h"
#include "platform/trash.h"
#include "platform/volumecontrol.h"

#include <QStringList>

namespace vantrelo {

class TProcessLauncher;

// Power and session requests to logind over the system bus (org.freedesktop.login1); the
// desktop's policy agent may ask the user to confirm.
class TLogindPower final : public TPowerControl {
public:
    TSystemResult LogOff() override;
    TSystemResult Suspend() override;
    TSystemResult Hibernate() override;
    TSystemResult Reboot() override;
    TSystemResult PowerOff() override;
    TSystemResult LockSession();

private:
    TSystemResult SessionCall(const QString& method);
};

// Lock through logind, the screen saver through xdg-screensaver, the monitor through DPMS.
class TLinuxSession final : public TSessionControl {
public:
    TLinuxSession(TLogindPower& logind, TProcessLauncher& launcher) : logind_(logind), launcher_(launcher) {}
    TSystemResult LockSession() override { return logind_.LockSession(); }
    TSystemResult StartScreenSaver() override;
    TSystemResult MonitorOff() override;

private:
    TLogindPower& logind_;
    TProcessLauncher& launcher_;
};

// The freedesktop.org trash: the home trash and the per-user trash folders of mounted volumes.
class TFreedesktopTrash final : public TTrash {
public:
    explicit TFreedesktopTrash(QStringList trashFolders) : folders_(std::move(trashFolders)) {}
    // $XDG_DATA_HOME/Trash (default ~/.local/share/Trash), then "$top/.Trash/$uid" and
    // "$top/.Trash-$uid" of every mounted volume.
    static QStringList UserTrashFolders();
    TSystemResult EmptyTrash() override;
    // Into the first trash folder on the path's own volume (a rename never copies), with its
    // ".trashinfo" written first so the entry can always be restored.
    TSystemResult MoveToTrash(const QString& path) override;

private:
    QStringList folders_;
};

// The sound server's default output through pactl (PulseAudio, PipeWire-Pulse), else wpctl.
class TSoundServerVolume final : public TVolumeControl {
public:
    explicit TSoundServerVolume(TProcessLauncher& launcher) : launcher_(launcher) {}
    std::optional<double> Level() override;
    TSystemResult SetLevel(double level) override;
    TSystemResult ToggleMute() override;

private:
    TSystemResult Run(const QStringList& pactl, const QStringList& wpctl);
    TProcessLauncher& launcher_;
};

// "pactl get-sink-volume" prints the channels' percentages; the first one is the level.
std::optional<double> ParsePactlVolume(const QString& output);
// "wpctl get-volume" prints "Volume: 0.40" (and " [MUTED]").
std::optional<double> ParseWpctlVolume(const QString& output);

// The tray through the eject program.
class TEjectDrive final : public TDiscDrive {
public:
    explicit TEjectDrive(TProcessLauncher& launcher) : launcher_(launcher) {}
    TSystemResult Eject(const QString& device, bool close) override;

private:
    TProcessLauncher& launcher_;
};

// The eject program's arguments: no device for the default drive (empty or a drive letter), a
// path as it is, any other name under /dev.
QStringList EjectArguments(const QString& device, bool close);

// The addresses of the interfaces that are up, loopback left out.
class TLinuxNetworkInfo final : public TNetworkInfo {
public:
    QStringList LocalIPv4Addresses() const override;
};

} // namespace vantrelo
