// The input window's own requests: menu commands, its placement and activation, the list's size and pin.
#include "app/windowcontroller.h"

#include "app/appcontext.h"
#include "app/notescontroller.h"
#include "app/desktopcontroller.h"
#include "app/settingscontroller.h"
#include "app/desktopservices.h"
#include "app/importcontroller.h"
#include "app/inputcontroller.h"
#include "app/itemmenucontroller.h"
#include "app/programcontroller.h"
#include "app/skincontroller.h"
#include "app/suggestbridge.h"
#include "core/text.h"
#include "core/history.h"
#include "platform/linux/xdesktop.h"
#include "platform/startup/dashcommands.h"
#include "ui/cmdform.h"
#include "ui/editordialogs.h"
#include "ui/editpanel.h"
#include "ui/widgetkit.h"
#include "ui/windowlogic.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>

namespace vantrelo {

void TWindowController::RowMenu(int row, QPoint globalPos) {
    const QString text = ctx_.suggest->RowText(row);
    if (text.isEmpty())
        return;
    TInputController& input = *ctx_.input;
    ctx_.menus->Show(
        ctx_.suggest->RowItem(row), text, ctx_.form->CmdForm(), globalPos,
        [&input, row] {
            input.TakeRow(row, TTake::Launch, QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier);
        },
        [this, &input, row] {
            input.TakeRow(row, TTake::Line);
            ctx_.program->OpenTool(TTool::KeywordEditor);
        });
}

void TWindowController::Command(TFormCommand command) {
    switch (command) {
    case TFormCommand::CopyFullPath:
        ctx_.input->CopyFullPath(false);
        break;
    case TFormCommand::OpenFolder:
        OpenFolderOfItem();
        break;
    case TFormCommand::ShowHint:
        ctx_.input->UpdateTitle(true);
        break;
    case TFormCommand::Exit:
        ctx_.program->CloseProgram();
        break;
    case TFormCommand::OpenWindow:
        ctx_.form->ManageShowHide(true, false, TShowLock::Hotkey);
        break;
    case TFormCommand::ItemMenu: {
        // At the mouse, or under the left end of the input field.
        QLineEdit* edit = ctx_.form->WordEdit();
        const QPoint at = ctx_.data.settings.contextmenumouse
                              ? QCursor::pos()
                              : edit->mapToGlobal(QPoint(0, edit->height() + S(edit, 4)));
        TInputController& input = *ctx_.input;
        ctx_.menus->Show(
            input.CurrentItem(), input.LineText(), ctx_.form.get(), at,
            [this, &input] { input.Execute(input.LineText(), ctx_.program->ShiftHeld(), false); },
            [this] { ctx_.program->OpenTool(TTool::KeywordEditor); });
        break;
    }
    case TFormCommand::ToggleSpellCheck:
        ToggleSpellCheck();
        break;
    case TFormCommand::ExpandFolder:
        ctx_.input->ListFolder();
        break;
    case TFormCommand::BrowseFiles:
        BrowseFiles();
        break;
    case TFormCommand::DeleteFromHistory:
        DeleteFromHistory();
        break;
    case TFormCommand::OpenKeyword:
        ctx_.program->OpenTool(TTool::KeywordEditor);
        break;
    case TFormCommand::ReloadSkin:
        ctx_.skin->Reload();
        break;
    case TFormCommand::LoadSkin:
        ctx_.skin->Install(QString());
        break;
    case TFormCommand::SaveSkin:
        ctx_.skin->SaveAs();
        break;
    case TFormCommand::ToggleAutoHide:
    case TFormCommand::ToggleStayOnTop:
    case TFormCommand::ToggleLockWindow:
        Toggle(command);
        break;
    case TFormCommand::Help:
        ctx_.program->OpenTool(TTool::Help);
        break;
    case TFormCommand::About:
        ShowAbout();
        break;
    case TFormCommand::AddKeyword:
        ctx_.settingsDialog->AddKeyword();
        break;
    case TFormCommand::Keywords:
        ctx_.program->OpenTool(TTool::KeywordEditor);
        break;
    case TFormCommand::Settings:
        ctx_.program->OpenTool(TTool::Settings);
        break;
    case TFormCommand::Notes:
        ctx_.notes->OpenNotes(QString());
        break;
    case TFormCommand::ImportApps:
        ctx_.import->ImportApplications();
        break;
    }
}

void TWindowController::BrowseFiles() {
    // The dialog starts in the folder of what the line names, when it names one.
    TInputController& input = *ctx_.input;
    const QString folder = ctx_.program->ItemPath(input.LineText(), input.CurrentItem(), false);
    const QString file = QFileDialog::getOpenFileName(ctx_.form.get(), QStringLiteral("Browse Files"),
                                                      QFileInfo(folder).isDir() ? folder : QDir::homePath());
    if (file.isEmpty() || !ctx_.form)
        return;
    ctx_.form->FocusLine();
    input.SetNewWord(file, false, false);
}

void TWindowController::DeleteFromHistory() {
    TInputController& input = *ctx_.input;
    if (!ctx_.data.history.KillHist(TrimText(input.LineText())))
        return;
    input.ResetCurrentSearch(true);
    ctx_.program->WriteSettings();
}

void TWindowController::Toggle(TFormCommand command) {
    // The menu's toggles change the setting for this run; the file gets it with the next save.
    TSettings& s = ctx_.data.settings;
    if (command == TFormCommand::ToggleLockWindow) {
        s.lockwindow = !s.lockwindow;
        return;
    }
    bool& flag = command == TFormCommand::ToggleAutoHide ? s.hide : s.stayontop;
    flag = !flag;
    ctx_.form->ApplyLook();
}

void TWindowController::ShowAbout() {
    const TProgramInfo info = BuiltProgramInfo(QCoreApplication::applicationFilePath());
    auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("About Vantrelo"),
                                QStringLiteral("Vantrelo ") + info.version +
                                    QStringLiteral("\nA keyboard launcher for the desktop.\nBuild date: ") +
                                    info.buildDate,
                                QMessageBox::Ok, ctx_.form.get());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}

void TWindowController::OpenFolderOfItem() {
    TInputController& input = *ctx_.input;
    const QString folder = ctx_.program->ItemPath(input.LineText(), input.CurrentItem(), false);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        ctx_.program->ShowToast(QStringLiteral("Could not detect a folder path to open"));
        return;
    }
    ctx_.program->OpenWithShell(folder);
}

void TWindowController::ToggleSpellCheck() {
    TSettings& s = ctx_.data.settings;
    s.spellcheckedit = !s.spellcheckedit;
    const bool dictionary = ctx_.form->CmdForm()->Editor()->ApplySpellCheck();
    ctx_.program->ShowToast(SpellToastText(s.spellcheckedit, dictionary));
    ctx_.program->WriteSettings();
}

void TWindowController::RememberForeground() {
    ctx_.desktop->Capture(ctx_.desk->Windows().ForegroundWindow());
}

void TWindowController::ActivateOwnWindow(quint64 window, quint64 userTime) {
    if (!ctx_.desk->desktop)
        return;
    // The desktop drops the state while the window is unmapped: it is asked for at every show.
    if (ctx_.data.settings.noalttab)
        ctx_.desk->desktop->SkipTaskbarAndPager(window);
    ctx_.desk->desktop->Activate(window, userTime);
    // A window that was only just mapped may not be managed yet: ask once more a moment later.
    QTimer::singleShot(60, ctx_.owner, [this, window, userTime] {
        TMainForm* form = ctx_.form.get();
        if (form && form->isVisible() && !form->isActiveWindow() && ctx_.desk->desktop)
            ctx_.desk->desktop->Activate(window, userTime);
    });
}

std::optional<QRect> TWindowController::LastActiveFrame() const {
    const quint64 window = ctx_.desktop->CheckedLastActive();
    if (window == 0)
        return std::nullopt;
    return ctx_.desk->desktop->FrameRect(window);
}

void TWindowController::InputWidthChanged(int width) {
    ctx_.data.settings.width = width;
    ctx_.data.settings.customwidth = width;
    ctx_.form->ApplyLook();
    if (ctx_.form->ListVisible())
        ctx_.form->SetListPos();
}

void TWindowController::ListRowsChanged(int rows) {
    ctx_.data.settings.maxvisible = rows;
    ctx_.program->WriteSettings();
    if (ctx_.form->ListVisible() && !ctx_.form->CmdForm()->CustomElementShowing())
        ctx_.input->RedisplayList();
    else
        ctx_.form->ApplyLook();
}

void TWindowController::ListRowHeightFitted(int height) { ctx_.data.settings.listrowheight = height; }

void TWindowController::RunPin(const QString& para) {
    const bool off = SameText(para, QStringLiteral("off"));
    if (!off && !SameText(para, QStringLiteral("on"))) {
        PinCommand();
        return;
    }
    ctx_.data.settings.pin = !off;
    ctx_.form->CmdForm()->SetPinImage();
    if (ctx_.form->ListVisible())
        ctx_.input->RedisplayList();
    ctx_.program->WriteSettings();
}

void TWindowController::RunEdit(const QString& para) {
    const bool active = QGuiApplication::applicationState() == Qt::ApplicationActive;
    ctx_.form->ExpandInput(para.isEmpty() ? ctx_.form->CmdForm()->EditorText() : para);
    // Called from elsewhere (a hotkey, another instance): the input window comes along.
    if (!active)
        ctx_.form->ManageShowHide(true, true, TShowLock::Summon);
}

void TWindowController::FileDropped(const QString& path) {
    ctx_.settingsDialog->ProposeFile(path);
}

void TWindowController::PinCommand() {
    TCmdForm* list = ctx_.form->CmdForm();
    const QString file = list->Dialogs().OpenPicture(list);
    if (file.isEmpty())
        return;
    ctx_.data.settings.pinfile = file;
    ctx_.data.settings.pin = true;
    list->SetPinImage();
    if (ctx_.form->ListVisible())
        ctx_.input->RedisplayList();
    ctx_.program->WriteSettings();
}

} // namespace vantrelo
