// The services and the pipeline, built the same way by the launcher and by the command-line tool.
#include "app/engine.h"

#include "commands/dispatcher.h"
#include "core/settingsstore.h"
#include "exec/execcontext.h"
#include "exec/launcher.h"
#include "exec/pipeline.h"

namespace vantrelo {

TEngine::TEngine(TUserData& data, TSystemParts& sys, const TPlaces& places, const QString& exeFolder,
                 const TEngineFront& f) {
    TSettings& s = data.settings;
    exec_ = std::make_unique<TExecContext>(
        s, data.keywords,
        TExecServices{&sys.env, &sys.files, f.clipboard, f.windows, f.keys, f.waiter, f.sound, &sys.random,
                      &sys.clock, &sys.network, f.text, f.input, nullptr, f.injector});
    TCommandServices cs;
    cs.settings = &s;
    cs.exec = exec_.get();
    cs.host = f.commands;
    cs.launcher = &sys.processes;
    cs.power = &sys.power;
    cs.session = &sys.session;
    cs.trash = &sys.trash;
    cs.volume = &sys.volume;
    cs.disc = &sys.disc;
    cs.places = places;
    cs.exeFolder = exeFolder;
    cs.desktop = f.desktop;
    if (f.notices && f.scheduler)
        cs.time = {&sys.clock, &sys.clock, f.scheduler, f.notices, f.closing};
    dispatcher_ = std::make_unique<TCommandDispatcher>(cs);
    // A dry run names the internal commands instead of running them, and expands nothing.
    if (!f.internal)
        dispatcher_->InstallExpander(*exec_);
    TShellExecute* shell = f.shell ? f.shell : &sys.shell;
    launcher_ = std::make_unique<TLauncher>(
        *exec_, TLauncherServices{shell, f.view, f.scheduler, f.tasks, f.fetcher, f.instances, f.browser, f.index});
    TInternalCommands* internal = f.internal ? f.internal : dispatcher_.get();
    pipeline_ = std::make_unique<TExecPipeline>(
        *exec_, TPipelineServices{internal, launcher_.get(), f.view, f.scheduler, f.writer, &data.history, &data.tags,
                                  places.programFolder});
}

TEngine::~TEngine() = default;

} // namespace vantrelo
