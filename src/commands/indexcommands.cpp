// The index commands: a forced refresh with its progress answer, and the app-folder flush.
#include "commands/indexcommands.h"

#include "commands/commandhost.h"
#include "commands/dispatcher.h"
#include "exec/execcontext.h"
#include "exec/inputhost.h"
#include "index/indexrefresh.h"

#include <memory>

namespace vantrelo {

namespace {

const QString kRefreshStarted = QStringLiteral("Started refreshing index..");
const QString kFlushStarted = QStringLiteral("Flushing and scanning for UWP Apps");

// Which answers are still owed once the worker reports back.
struct TIndexReports {
    bool refresh = false;
    bool flush = false;
};

} // namespace

void RegisterIndexCommands(TCommandDispatcher& d, TIndexRefresher& refresher, TInputTextReader inputText) {
    auto owed = std::make_shared<TIndexReports>();
    TCommandServices& s = d.Services();
    TInputHost* input = s.exec->services.input;
    TCommandHost* host = s.host;

    d.SetHandler(TCommandBlock::RefreshIndex, [&refresher, owed, input](TCommandCall&) {
        if (!refresher.StartIndexRefresh(true)) {
            // Nothing will run (safe mode, or the program is closing): the count is the answer.
            input->SetNewWord(refresher.CountText(), true, false);
            return;
        }
        owed->refresh = true;
        input->SetNewWord(kRefreshStarted, true, false);
    });
    d.SetHandler(TCommandBlock::FlushUwp, [&refresher, owed, input](TCommandCall& c) {
        if (!refresher.FlushStoreApps()) {
            c.Fail(QStringLiteral("The program is closing"));
            return;
        }
        owed->flush = true;
        owed->refresh = false; // the flush's own answer takes the input line
        input->SetNewWord(kFlushStarted, true, false);
    });

    QObject::connect(&refresher, &TIndexRefresher::refreshIdle, &refresher, [&refresher, owed, input, inputText] {
        if (!owed->refresh)
            return;
        owed->refresh = false;
        if (inputText() == kRefreshStarted)
            input->SetNewWord(refresher.CountText(), true, false);
    });
    QObject::connect(&refresher, &TIndexRefresher::storeAppsFlushed, &refresher,
                     [owed, input, host, inputText](int count, const QString& error) {
        if (!owed->flush)
            return;
        owed->flush = false;
        if (inputText() == kFlushStarted)
            input->SetNewWord(QStringLiteral("UWP Apps found: %1").arg(count), true, false);
        if (!error.isEmpty())
            host->ShowFailure(error);
    });
}

} // namespace vantrelo
