// What the input line and the commands ask of the program: runs, paths, messages, settings, windows.
#include "app/programcontroller.h"

#include "app/appcontext.h"
#include "app/notescontroller.h"
#include "app/settingscontroller.h"
#include "app/assistcontroller.h"
#include "app/clipcontroller.h"
#include "browser/browsermodule.h"
#include "app/dashcontroller.h"
#include "app/desktopcontroller.h"
#include "app/desktopservices.h"
#include "app/engine.h"
#include "app/hotkeybridge.h"
#include "app/skincontroller.h"
#include "app/windowcontroller.h"
#include "core/incognito.h"
#include "core/items.h"
#include "core/text.h"
#include "exec/itempath.h"
#include "exec/pipeline.h"
#include "platform/linux/xdesktop.h"
#include "platform/startup/dashcommands.h"
#include "platform/startup/report.h"
#include "ui/mainform.h"
#include "ui/skin/skinlayout.h"
#include "ui/windowlogic.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>

namespace vantrelo {

TProgramController::TProgramController(TAppContext& ctx) : ctx_(ctx), gate_(*ctx.desk->scheduler) {}

// --- the input line's requests ---

bool TProgramController::Run(const TExecRequest& request) {
    return gate_.Run([this, request] { return !ctx_.closing && ctx_.engine->Pipeline().DoExecute(request); });
}

void TProgramController::RunForced(const TExeWord& word, bool silent) {
    // No typed input, with history and sound; asynchronous as asked (a forced keyword still
    // starts in the foreground). The copy outlives a wait for the present run.
    auto copy = std::make_shared<TExeWord>(word);
    gate_.Run([this, copy, silent] {
        TExecRequest r;
        r.forcedexeword = copy.get();
        r.forcasync = true;
        r.forceSilent = silent;
        return !ctx_.closing && ctx_.engine->Pipeline().DoExecute(r);
    });
}

QString TProgramController::ItemPath(const QString& line, const TItem* item, bool withFile) const {
    return GetPathFromItem(line, item, withFile, ctx_.engine->Exec(), ctx_.desk->resolver);
}

bool TProgramController::RunDashCommand(const QString& input) {
    const TProgramInfo info = BuiltProgramInfo(QCoreApplication::applicationFilePath());
    const TDashContext context{ctx_.store.Places(), ctx_.data.settings, info, ctx_.sys->clock, *ctx_.dash};
    return vantrelo::RunDashCommand(input, context);
}

void TProgramController::ShowRowMenu(int row, QPoint at) { ctx_.window->RowMenu(row, at); }
void TProgramController::ShowItemMenu() { ctx_.window->Command(TFormCommand::ItemMenu); }

void TProgramController::OpenTool(TTool tool) {
    switch (tool) {
    case TTool::KeywordEditor:
        ctx_.settingsDialog->Open(TSetupTab::Keywords);
        break;
    case TTool::Settings:
        ctx_.settingsDialog->Open(TSetupTab::Settings);
        break;
    case TTool::Help:
        OpenWithShell(HelpPageUrl());
        break;
    case TTool::StartPage:
        ctx_.browser->StartPage(true);
        break;
    case TTool::ToggleBrowser:
        ctx_.browser->Toggle(true, false);
        break;
    case TTool::EndBrowser:
        ShowToast(QStringLiteral("End browser"));
        ctx_.browser->End();
        break;
    }
}

void TProgramController::OpenInputAssist(bool inEditor) {
    // The popup opens once this key is done, on this thread.
    QTimer::singleShot(25, ctx_.owner, [this, inEditor] { ctx_.assist->Open(inEditor); });
}

void TProgramController::CloseWindow(quint64 window) {
    if (ctx_.desk->desktop)
        ctx_.desk->desktop->Close(window);
}

void TProgramController::EndProcessOfWindow(quint64 window) { ctx_.desktop->EndProcessOf(window); }

bool TProgramController::ActivateLastActive() {
    // A reused window id is another program's window now: it is never the target.
    const quint64 window = ctx_.desktop->CheckedLastActive();
    return window != 0 && ctx_.desk->desktop->Activate(window, 0);
}

void TProgramController::ActivateWindow(quint64 window) {
    if (ctx_.desk->desktop)
        ctx_.desk->desktop->Activate(window, 0);
}

void TProgramController::CopyToClipboard(const QString& text) { ctx_.desk->clipboard.SetText(text); }

void TProgramController::ChooseClipEntry(const TMyClipItem& item) {
    if (ctx_.clip)
        ctx_.clip->Choose(item);
    else
        ctx_.desk->clipboard.SetText(item.clipb);
}

bool TProgramController::RemoveClipEntry(const TMyClipItem& item) { return ctx_.clip && ctx_.clip->Remove(item); }

void TProgramController::WriteSettings() {
    const TSaveResult r = ctx_.store.WriteSettings(ctx_.data);
    if (!r)
        Message(QStringLiteral("Vantrelo"), r.error, true);
}

void TProgramController::ShowMessage(const QString& text) { Message(QStringLiteral("Vantrelo"), text, false); }

void TProgramController::Message(const QString& caption, const QString& text, bool warning) {
    auto* box = new QMessageBox(warning ? QMessageBox::Warning : QMessageBox::Information, caption, text,
                                QMessageBox::Ok, ctx_.form.get());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}

void TProgramController::ShowCalcResult(const QString& title, const QString& prompt, const QString& value) {
    auto* dlg = new QInputDialog(ctx_.form.get());
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->setWindowTitle(title);
    dlg->setLabelText(prompt);
    dlg->setTextValue(value);
    dlg->show();
}

void TProgramController::CloseProgram() {
    // Leaving the event loop unconditionally (a quit would first ask the windows, which refuse);
    // the stop runs from there, never inside this call's caller.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
}

void TProgramController::ClearIncognitoFolder() {
    ctx_.desk->incognito->ClearIncognitoFolder(ctx_.data.settings.incognito, false);
}

bool TProgramController::ShiftHeld() const {
    return QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier;
}

bool TProgramController::AltHeld() const { return QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier; }

// --- the input host of the execution context ---

void TProgramController::SetNewWord(const QString& text, bool selectall, bool ignoredrop) {
    ctx_.input->SetNewWord(text, selectall, ignoredrop);
}

void TProgramController::ShowInputWindow() { ctx_.form->ManageShowHide(true, true, TShowLock::Hotkey); }

QString TProgramController::SelectedInputText() const {
    const TLineState line = ctx_.form->Line();
    return line.text.mid(line.selStart, line.selLength);
}

void TProgramController::CopyInputSelection(bool cut) { ctx_.form->CutOrCopySelection(cut); }
void TProgramController::PasteIntoInput() { ctx_.form->PasteIntoLine(); }
void TProgramController::SetLastActiveWindow(quint64 window) { ctx_.desktop->Capture(window); }

// --- the internal commands' host ---

void TProgramController::ShowToast(const QString& text) { ctx_.form->ShowToast(text); }

void TProgramController::ShowFailure(const QString& message) {
    ctx_.form->SetLineColor(ctx_.data.settings.failcolor);
    ctx_.engine->Pipeline().PlayEventSound(kFailSound);
    ShowToast(message);
}

void TProgramController::SetStatePanel() {
    const TSettings& s = ctx_.data.settings;
    ctx_.form->SetStatePanel(StatePanelText(s.holdtext, s.incognito, s.gamingmode));
    const bool badge = !s.reminder.isEmpty() && s.showwordicon;
    const QString folder = ctx_.store.Places().programFolder;
    ctx_.form->SetReminderBadge(badge ? folder + QStringLiteral("reminder.bmp") : QString());
    // A page alive while its panel is hidden runs in the background.
    const bool background = s.browserdot && ctx_.browser && ctx_.browser->HasPage() && !ctx_.form->BrowserPanelShown();
    ctx_.form->SetBrowserBadge(background ? folder + QStringLiteral("browseractive.bmp") : QString());
}

void TProgramController::SetDesign() { ctx_.skin->Apply(); }

void TProgramController::ResetCurrentSearch() { ctx_.input->ResetCurrentSearch(true); }
void TProgramController::MoveInputWindow(int x, int y) { ctx_.form->move(x, y); }
void TProgramController::HideListWindow() { ctx_.form->HideList(); }

void TProgramController::ReArmKeyboardHook() {
    // The gaming commands: never in safe mode, never while closing.
    if (ctx_.hotkeys && !ctx_.safeMode && !ctx_.closing)
        ctx_.hotkeys->ArmKeyboardHook();
}

void TProgramController::SetIncognitoMode(bool on, bool toggle) {
    TSettings& s = ctx_.data.settings;
    const QString toast = SwitchIncognitoMode(s.incognito, s.incognitoconfig, toggle ? !s.incognito : on,
                                              *ctx_.desk->incognito);
    WriteSettings();
    SetStatePanel();
    // The line again, so the list follows the new mode.
    ctx_.input->SetNewWord(ctx_.form->Line().text, true, false);
    ShowToast(toast);
}

bool TProgramController::WriteSettings(QString* error) {
    const TSaveResult r = ctx_.store.WriteSettings(ctx_.data);
    if (!r && error)
        *error = r.error;
    return bool(r);
}

TBackupRequest TProgramController::BackupRequest() const {
    TBackupRequest b;
    b.enabled = ctx_.data.settings.backup;
    b.settingsTrusted = ctx_.store.Trusted();
    if (ctx_.notes) {
        b.notesFile = ctx_.notes->Location();
        b.notesWindowLines = ctx_.notes->WindowLines();
    }
    return b;
}

void TProgramController::NotAvailable(const QString& what) {
    ShowToast(what + QStringLiteral(" is not available yet."));
}

void TProgramController::OpenWithShell(const QString& target) {
    TShellRequest r;
    r.verb = QStringLiteral("open");
    r.file = target;
    if (ctx_.sys->shell.ShellExecute(r) <= 32)
        ShowFailure(QStringLiteral("Could not open ") + target);
}

} // namespace vantrelo
