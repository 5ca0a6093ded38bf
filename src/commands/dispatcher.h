// The internal command dispatcher: recognises the `$...$` commands of a command text and runs them.
#pragma once

#include "commands/commandcall.h"
#include "commands/commandtable.h"
#include "commands/timekeeper.h"
#include "commands/windowhost.h"
#include "core/datafolder.h"
#include "exec/internalcommands.h"

#include <QLocale>
#include <QString>

#include <array>
#include <functional>

namespace vantrelo {

struct TSettings;
struct TExecContext;
class TCommandHost;
class TProcessLauncher;
class TPowerControl;
class TSessionControl;
class TTrash;
class TVolumeControl;
class TDiscDrive;

// Everything the built-in commands reach. All pointers must be set.
struct TCommandServices {
    TSettings* settings = nullptr;     // changed by the settings switches
    TExecContext* exec = nullptr;      // input line, keys, waiter, random, clock, network, windows...
    TCommandHost* host = nullptr;
    TProcessLauncher* launcher = nullptr;
    TPowerControl* power = nullptr;
    TSessionControl* session = nullptr;
    TTrash* trash = nullptr;
    TVolumeControl* volume = nullptr;
    TDiscDrive* disc = nullptr;
    TDesktopAccess desktop;            // the window and mouse commands (all null without a desktop)
    TTimeAccess time;                  // countdown, alarm and stopwatch (all null without a launcher)
    TPlaces places;
    QString exeFolder;                 // the folder of the program's own file ("$H$")
    QLocale locale = QLocale::system(); // names of days and months for "$TIME$"
};

// Runs one block; reads and changes the call's flags.
using TCommandHandler = std::function<void(TCommandCall&)>;

inline constexpr char kNotAvailable[] = "This command is not available yet.";

class TCommandDispatcher final : public TInternalCommands {
public:
    explicit TCommandDispatcher(const TCommandServices& services);
    TCommandDispatcher(const TCommandDispatcher&) = delete;
    TCommandDispatcher& operator=(const TCommandDispatcher&) = delete;

    // Plugs in (or replaces) the work of one block. A block without a handler is recognised and
    // reported as not available, never as done.
    void SetHandler(TCommandBlock block, TCommandHandler handler);
    bool HasHandler(TCommandBlock block) const;
    // Makes `ctx` prepare command texts with ExpandCommandText.
    void InstallExpander(TExecContext& ctx);
    TCommandServices& Services() { return s_; }

    TInternalOutcome CheckDoInternalCMD(const QString& mycmdline, const QString& para, bool iskeyd,
                                        const TExeWord* exw, bool forcebrowser) override;
    QString PendingAfterCommand() const override { return pending_; }
    void ClearPendingAfterCommand() override { pending_.clear(); }
    bool CheckDoInternalCMDAfter(const QString& mycmdline) override;
    QString ExpandCommandText(const QString& text, bool strip) override;

private:
    void RunBlock(TCommandCall& call);

    TCommandServices s_;
    std::array<TCommandHandler, size_t(TCommandBlock::Count)> handlers_;
    QString pending_;
};

} // namespace vantrelo
