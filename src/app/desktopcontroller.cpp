// The launcher's side of the window and mouse commands: the previous window, the input window, the text panel.
#include "app/desktopcontroller.h"

#include "app/appcontext.h"
#include "app/desktopservices.h"
#include "app/windowcontroller.h"
#include "commands/windowgeometry.h"
#include "platform/linux/xdesktop.h"
#include "platform/linux/xmouse.h"
#include "ui/cmdform.h"
#include "ui/mainform.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QTimer>

#include <algorithm>

namespace vantrelo {

namespace {

// The list's client height when there is no list window to measure.
constexpr int kDefaultListHeight = 200;
// How long a process asked to end may take before it is killed.
constexpr int kKillGraceMs = 2000;

} // namespace

TDesktopController::TDesktopController(TAppContext& ctx) : ctx_(ctx) {}

TDesktopAccess TDesktopController::Access() {
    TDesktopServices& desk = *ctx_.desk;
    TDesktopAccess a;
    a.ownPid = QCoreApplication::applicationPid();
    if (!desk.desktop)
        return a;
    a.windows = desk.desktop.get();
    a.monitors = this;
    a.mouse = desk.mouse.get();
    a.processes = &desk.processList;
    a.host = this;
    return a;
}

void TDesktopController::Capture(quint64 window) {
    TXDesktop* desktop = ctx_.desk->desktop.get();
    if (!desktop)
        return;
    // No active window (the desktop itself, or a Wayland program, which X cannot see, has the
    // keyboard): the user came from nowhere the commands may act on, so the old target is dropped
    // rather than kept. Summoned over one of its own windows, the launcher keeps the one before.
    if (window == 0) {
        ctx_.lastActive = {};
        return;
    }
    if (desktop->IsOwnWindow(window))
        return;
    ctx_.lastActive = CaptureTarget(*desktop, window);
}

quint64 TDesktopController::CheckedLastActive() const {
    TXDesktop* desktop = ctx_.desk->desktop.get();
    if (!desktop || CheckTarget(*desktop, ctx_.lastActive) != TTargetState::Present)
        return 0;
    return ctx_.lastActive.id;
}

TTargetWindow TDesktopController::LastActive() const { return ctx_.lastActive; }

quint64 TDesktopController::InputWindowId() const { return ctx_.form ? quint64(ctx_.form->winId()) : 0; }

int TDesktopController::InputClientWidth() const { return ctx_.form ? ctx_.form->width() : 0; }

int TDesktopController::ListClientHeight() const {
    TCmdForm* list = ctx_.form ? ctx_.form->CmdForm() : nullptr;
    return list && list->isVisible() ? list->height() : kDefaultListHeight;
}

QRect TDesktopController::InputFrame() const { return ctx_.form ? ctx_.form->frameGeometry() : QRect(); }

void TDesktopController::ArrangeInputWindow(int width, int listHeight, std::optional<QPoint> topLeft) {
    if (!ctx_.form)
        return;
    if (topLeft)
        ctx_.form->move(*topLeft);
    ctx_.window->InputWidthChanged(width);
    TCmdForm* list = ctx_.form->CmdForm();
    const int row = list ? std::max(1, list->EntryList()->RowHeight()) : 0;
    if (row > 0 && listHeight / row != ctx_.data.settings.maxvisible)
        ctx_.window->ListRowsChanged(std::max(1, listHeight / row));
}

void TDesktopController::Place(quint64 window, const std::optional<QRect>& frame) {
    TXDesktop* desktop = ctx_.desk->desktop.get();
    if (!desktop || !frame)
        return;
    desktop->ShowNormal(window);
    desktop->SetFrameRect(window, *frame);
}

void TDesktopController::CenterWindow(quint64 window) {
    if (TXDesktop* desktop = ctx_.desk->desktop.get())
        Place(window, PlanCenter(desktop->FrameRect(window), Monitors(), -1).frame);
}

void TDesktopController::SpanWindow(quint64 window, bool width) {
    if (TXDesktop* desktop = ctx_.desk->desktop.get())
        Place(window, PlanFullSpan(width, desktop->FrameRect(window), Monitors()));
}

void TDesktopController::AskAndArrange(quint64 window) {
    auto* dlg = new QInputDialog(ctx_.form.get());
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->setWindowTitle(QStringLiteral("Resize window"));
    dlg->setLabelText(QStringLiteral("Syntax:\r\nWidthxHeight (position will be top left corner)\r\nWidthxHeight,x,y (x "
                                     "is left position, y top position)\r\nWidthxHeight,center (to center "
                                     "window)\r\n\r\nEnter dimensions:"));
    dlg->setTextValue(QStringLiteral("800x600,center"));
    QObject::connect(dlg, &QInputDialog::textValueSelected, dlg, [this, window](const QString& text) {
        TXDesktop* desktop = ctx_.desk->desktop.get();
        const std::optional<TArrangement> a = ParseArrangement(text);
        if (!desktop || !a || ctx_.closing)
            return;
        const TFramePlan plan =
            PlanArrangement(*a, {desktop->FrameRect(window), desktop->ClientRect(window)}, Monitors());
        if (!plan.error.isEmpty() && ctx_.form)
            ctx_.form->ShowToast(plan.error);
        Place(window, plan.frame);
    });
    dlg->show();
}

void TDesktopController::EndProcessOf(quint64 window) {
    TXDesktop* desktop = ctx_.desk->desktop.get();
    TWindowFacts facts;
    // The program never ends itself.
    if (!desktop || !desktop->Describe(window, &facts) || facts.pid <= 0 ||
        facts.pid == QCoreApplication::applicationPid())
        return;
    TProcessList& processes = ctx_.desk->processList;
    TProcessFacts before;
    processes.Describe(facts.pid, &before);
    processes.Terminate(facts.pid);
    // A process that ignores the request is ended for good a moment later, unless its id has
    // meanwhile gone to another program.
    const qint64 pid = facts.pid;
    QTimer::singleShot(kKillGraceMs, ctx_.owner, [this, pid, before] {
        TProcessFacts now;
        if (!ctx_.closing && ctx_.desk->processList.Describe(pid, &now) && now.path == before.path)
            ctx_.desk->processList.Kill(pid);
    });
}

std::vector<TMonitor> TDesktopController::Monitors() const {
    if (ctx_.form) {
        std::vector<TMonitor> screens = ctx_.form->Monitors();
        if (!screens.empty())
            return screens;
    }
    return ctx_.desk->desktop ? ctx_.desk->desktop->Monitors() : std::vector<TMonitor>{};
}

void TDesktopController::ShowInfoText(const QString& text) {
    if (ctx_.form)
        ctx_.form->ShowTextPanel(text);
}

} // namespace vantrelo
