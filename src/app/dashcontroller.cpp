// Dash commands typed into the line and the messages of other instances: what they ask of the program.
#include "app/dashcontroller.h"

#include "app/appcontext.h"
#include "app/notescontroller.h"
#include "app/settingscontroller.h"
#include "app/importcontroller.h"
#include "app/hotkeybridge.h"
#include "app/indexcontroller.h"
#include "app/inputcontroller.h"
#include "app/programcontroller.h"
#include "app/skincontroller.h"
#include "app/suggestbridge.h"
#include "core/text.h"
#include "exec/pipeline.h"
#include "index/appimport.h"
#include "index/scanroots.h"
#include "platform/linux/instancemessage.h"
#include "core/keywordlist.h"
#include "core/storechange.h"
#include "platform/startup/commandline.h"
#include "platform/startup/report.h"
#include "ui/mainform.h"
#include "ui/windowlogic.h"

#include <QCoreApplication>
#include <QCursor>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSysInfo>
#include <QTimer>

namespace vantrelo {

void TDashController::ToggleOneWindow() {
    TMainForm& form = *ctx_.form;
    ctx_.data.settings.onewindow = !ctx_.data.settings.onewindow;
    if (!form.isActiveWindow())
        form.ManageShowHide(true, true, TShowLock::Summon);
    form.ApplyLook();
    ctx_.program->WriteSettings();
}

namespace {
// The "-skin" arguments that ask for a skin file.
const QStringList& SkinLoadWords() {
    static const QStringList words{"l", "lo", "load", "o", "op", "open"};
    return words;
}
} // namespace

void TDashController::OpenSettings(TSettingsPage page, const QString& skin) {
    // "-skin": the look page; "list" runs the list appearance wizard there; "load" (or "open")
    // asks for a skin, and any other argument (a file, a package or a web address) installs it.
    if (page == TSettingsPage::Skin) {
        const QString arg = skin.trimmed().toLower();
        if (arg.isEmpty() || arg == QLatin1String("list") || arg == QLatin1String("li"))
            ctx_.settingsDialog->OpenLook(!arg.isEmpty());
        else
            ctx_.skin->Install(SkinLoadWords().contains(arg) ? QString() : skin);
        return;
    }
    ctx_.settingsDialog->Open(page == TSettingsPage::About ? TSetupTab::About : TSetupTab::Settings,
                              page == TSettingsPage::About ? QString() : QStringLiteral("General"));
}
void TDashController::SelectInput() { ctx_.input->SelectLine(); }

void TDashController::AddNewKeyWord(const QString& name, const QString& command, const QString& parameters) {
    // Without the keyword editor the keyword is added as given and saved at once.
    auto word = MakeNewKeyword(name, command, parameters);
    const QString shown = word->keywords;
    ctx_.data.keywords.Add(std::move(word));
    ctx_.data.tags.Build(ctx_.data.keywords);
    ctx_.program->WriteSettings();
    ctx_.program->ShowToast(QStringLiteral("Keyword added: ") + shown);
}

void TDashController::OpenKeywordEditor() { ctx_.program->OpenTool(TTool::KeywordEditor); }

void TDashController::CloseProgram(const QString& thenOpen) {
    ctx_.openAfterClose = thenOpen;
    ctx_.program->CloseProgram();
}

void TDashController::ImportKeywordsFromFile() { ctx_.import->ImportFile(); }
void TDashController::ImportFromStartMenu() { ctx_.import->ImportApplications(); }
void TDashController::ImportKeywordsFromUrl(const QString& url) { ctx_.import->ImportUrl(url); }
void TDashController::ExportKeywords() { ctx_.import->ExportKeywords(); }
void TDashController::Answer(const QString& text) { ctx_.input->SetNewWord(text, true, true); }
void TDashController::OpenPath(const QString& path) { ctx_.program->OpenWithShell(path); }
void TDashController::OpenNotes(const QString& text) { ctx_.notes->OpenNotes(text); }
void TDashController::OpenWebPage(const QString& url) { OpenPath(url); }

void TDashController::ShowMainMenuSoon() {
    QTimer::singleShot(25, ctx_.owner, [this] {
        if (ctx_.form)
            ctx_.form->ShowMainMenu();
    });
}

void TDashController::ShowMessage(const QString& caption, const QString& text) {
    ctx_.program->Message(caption, text, false);
}

TReportFacts TDashController::ReportFacts() const {
    TReportFacts f;
    f.programSize = QFileInfo(QCoreApplication::applicationFilePath()).size();
    f.indexedCount = int(ctx_.suggest->IndexSize());
    f.keywordCount = int(ctx_.data.keywords.size());
    f.historyCount = int(ctx_.data.history.size());
    f.tagCount = int(ctx_.data.tags.Tags().size());
    f.osVersion = QSysInfo::prettyProductName() + QStringLiteral(", kernel ") + QSysInfo::kernelVersion();
    f.architecture = ArchitectureText(QSysInfo::currentCpuArchitecture());
    f.desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    f.sessionType = qEnvironmentVariable("XDG_SESSION_TYPE", QGuiApplication::platformName());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        f.colourDepth = screen->depth();
        f.pixelsPerInch = int(screen->logicalDotsPerInch());
        f.primaryWidth = screen->geometry().width();
        f.primaryHeight = screen->geometry().height();
    }
    f.monitorCount = int(QGuiApplication::screens().size());
    return f;
}

void TDashController::InstanceMessage(const TInstanceMessage& m) {
    TMainForm* form = ctx_.form.get();
    if (!form || ctx_.closing)
        return;
    using K = TInstanceMessageKind;
    const quint64 userTime = UserTimeFromActivationToken(m.activationToken);
    switch (m.kind) {
    case K::Activate:
    case K::Open:
        if (ctx_.data.settings.popatcursor)
            form->move(PopUpPosition(QCursor::pos(), form->size(), form->Monitors()));
        if (!form->isVisible() || m.kind == K::Activate)
            form->ManageShowHide(true, false, TShowLock::Summon, userTime);
        break;
    case K::HotOpen:
        form->HotkeyPressed(0, TShowLock::Summon);
        break;
    case K::Hide:
        form->CheckAutoHideLogic();
        break;
    case K::Command:
        // Executed as typed, without raising the window.
        ctx_.program->Run(TExecRequest::Sent(m.text));
        break;
    case K::Input:
    case K::InputSelected:
        form->ManageShowHide(true, true, TShowLock::Summon, userTime);
        ctx_.input->SetNewWord(m.text, m.kind == K::InputSelected, false);
        break;
    case K::SendTo:
        // The proposal shows the window itself; a path that is gone only raises it.
        if (QFileInfo::exists(m.text))
            HandleFile(m.text, userTime);
        else
            form->ManageShowHide(true, true, TShowLock::Summon, userTime);
        break;
    case K::Close:
        ctx_.program->CloseProgram();
        break;
    case K::StoreChange:
        ApplyStoreChange(m.text);
        break;
    case K::Answer:
        break;
    }
}

QString TDashController::InstanceRequest(const TInstanceMessage& m) {
    if (m.kind == TInstanceMessageKind::StoreChange)
        return ApplyStoreChange(m.text);
    InstanceMessage(m);
    return {};
}

QString TDashController::ApplyStoreChange(const QString& text) {
    // A program that closes saves what it holds at its stop: a change taken now could be lost.
    if (!ctx_.storeChanges || ctx_.closing || !ctx_.form)
        return EncodeChangeAnswer({TChangeOutcome::Refused, QStringLiteral("Vantrelo is closing.")});
    ctx_.storeChanges->SetNoteWriter([this](const QString& line) -> TSaveResult {
        if (!ctx_.notes || !ctx_.notes->AddToNotes({line}))
            return {false, QStringLiteral("The running Vantrelo could not save the line in its notes.")};
        return {};
    });
    const TChangeAnswer answer = ctx_.storeChanges->Answer(text);
    if (answer.outcome != TChangeOutcome::Done) {
        // The tool says why; the window only notes it, without a box per refused change.
        ctx_.program->ShowToast(answer.text);
        return EncodeChangeAnswer(answer);
    }
    // What the settings dialog would refresh after a change: tags, keyword hotkeys, look, index.
    ctx_.data.tags.Build(ctx_.data.keywords);
    if (ctx_.hotkeys) {
        ctx_.hotkeys->UnregisterKeywordHotkeys();
        ctx_.hotkeys->RegisterKeywordHotkeys();
    }
    ctx_.program->SetStatePanel();
    ctx_.program->SetDesign();
    if (ctx_.index)
        ctx_.index->SettingsApplied();
    return EncodeChangeAnswer(answer);
}

void TDashController::HandleFile(const QString& path, quint64 userTime) {
    ctx_.form->ManageShowHide(true, true, TShowLock::Summon, userTime);
    ctx_.settingsDialog->ProposeFile(path);
}

} // namespace vantrelo
