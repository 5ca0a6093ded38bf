// The notes: the window made on first use, lines added by commands and "-n", saving, and the file
// watched for other programs' changes.
#include "app/notescontroller.h"

#include "app/appcontext.h"
#include "app/clipcontroller.h"
#include "app/desktopservices.h"
#include "app/engine.h"
#include "app/inputcontroller.h"
#include "app/programcontroller.h"
#include "commands/dispatcher.h"
#include "core/atomicfile.h"
#include "core/items.h"
#include "core/text.h"
#include "exec/execcontext.h"
#include "exec/selectioncopy.h"
#include "ui/mainform.h"
#include "ui/notesdialogs.h"
#include "ui/notesform.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>

namespace vantrelo {

TNotesController::TNotesController(TAppContext& ctx) : ctx_(ctx) {
    TCommandDispatcher& d = ctx.engine->Dispatcher();
    d.SetHandler(TCommandBlock::Notes, [this](TCommandCall& c) { OpenNotes(c.para); });
    d.SetHandler(TCommandBlock::ClipboardToNotes, [this](TCommandCall&) {
        const QString text = ctx_.desk->clipboard.Text();
        if (!text.isEmpty())
            OpenNotes(text);
    });
    d.SetHandler(TCommandBlock::AllClipboardToNotes, [this](TCommandCall&) {
        // Newest first, each on top of the one before (or below it with `notesaddbottom`).
        QStringList texts;
        if (ctx_.clip) {
            const std::vector<TMyClipItem>& entries = ctx_.clip->Entries(); // oldest first
            for (auto it = entries.rbegin(); it != entries.rend(); ++it)
                texts << it->clipb;
        }
        AddToNotes(texts);
    });
    d.SetHandler(TCommandBlock::CopyToNotes, [this](TCommandCall& c) {
        // Run from the input window, the selection is the one of the window the user came from,
        // never the keyword in the line.
        TExecContext& exec = ctx_.engine->Exec();
        if (exec.services.windows->ProgramIsActive() ||
            QGuiApplication::applicationState() == Qt::ApplicationActive) {
            if (!ctx_.program->ActivateLastActive()) {
                c.Fail(QStringLiteral("No previous window to copy from"));
                return;
            }
        }
        // Only a selection that really arrived: never the clipboard's older text.
        const QString text = CopyForeignSelection(exec).copied ? ctx_.desk->clipboard.Text() : QString();
        if (TrimText(text).isEmpty()) {
            c.Fail(QStringLiteral("No selected text to add to the notes"));
            return;
        }
        OpenNotes(text);
    });
}

TNotesController::~TNotesController() { delete form_; }

QString TNotesController::Location() const {
    const QString custom = ctx_.data.settings.noteslocation;
    if (custom.isEmpty())
        return ctx_.store.Places().dataFolder + QStringLiteral("notes.txt");
    return ctx_.engine ? ctx_.engine->Exec().expandCommand(custom, true) : custom;
}

bool TNotesController::Load(QString* text) {
    const QString path = Location();
    unreadable_.clear();
    QString error;
    if (!ReadNotesFile(path, text, &error)) {
        // A file that exists but cannot be read is never written over by what the window holds.
        unreadable_ = path;
        ctx_.program->ShowFailure(error);
        return false;
    }
    return true;
}

void TNotesController::EnsureForm() {
    if (form_)
        return;
    form_ = new TNotesForm();
    const TSettings& s = ctx_.data.settings;
    PlaceByDefault();
    QString text;
    path_ = Location();
    if (Load(&text)) {
        form_->SetText(text);
        savedDigest_ = QFileInfo::exists(path_) ? NotesDigest(text) : QString();
    }
    loadedDigest_ = NotesDigest(form_->Text());
    startText_ = form_->Text();
    form_->SetStayOnTop(s.notesstayontop);
    const auto place = ParseNotesSizePos(s.notessizepos);
    // A remembered place off every present screen (a monitor unplugged) is no place.
    if (place && QGuiApplication::screenAt(place->center())) {
        form_->resize(place->size());
        form_->move(place->topLeft());
    }
    form_->SetResult(QString());
    UpdateNotesDesign();
    connect(form_, &TNotesForm::SaveWanted, this, [this] { SaveNotes(); });
    connect(form_, &TNotesForm::UndoWanted, this, [this] { form_->SetText(startText_); });
    connect(form_, &TNotesForm::StayOnTopChanged, this, [this](bool on) {
        ctx_.data.settings.notesstayontop = on;
        ctx_.program->WriteSettings();
    });
    Watch();
}

int TNotesController::WindowLines() const { return form_ ? form_->Memo()->blockCount() : -1; }

void TNotesController::UpdateNotesDesign() {
    if (!form_)
        return;
    const TSettings& s = ctx_.data.settings;
    form_->SetDesign(s.notestextcolor, s.notestextbackcolor, s.notesfontname, s.notesfontsize);
}

void TNotesController::OpenNotes(const QString& text) {
    EnsureForm();
    if (!text.isEmpty()) {
        AddToNotes({text});
        return;
    }
    form_->show();
    form_->raise();
    form_->activateWindow();
}

bool TNotesController::AddToNotes(const QStringList& texts) {
    EnsureForm();
    QString notes = form_->Text();
    bool added = false;
    for (const QString& t : texts)
        if (!t.isEmpty()) {
            notes = NotesWithText(notes, t, ctx_.data.settings.notesaddbottom);
            added = true;
        }
    if (!added)
        return false;
    form_->SetText(notes);
    const bool saved = SaveNotes();
    if (saved && ctx_.input)
        ctx_.input->SetNewWord(QStringLiteral("Notes updated"), true, false);
    return saved;
}

bool TNotesController::Write(const QString& path, const QString& notes) {
    // The data folder's notes are private like the rest of it; a file chosen elsewhere keeps its mode.
    const TFileAccess access = path.startsWith(ctx_.store.Places().dataFolder) ? TFileAccess::Private : TFileAccess::Document;
    const TSaveResult r = SaveFileAtomic(path, NotesFileBytes(notes), {}, access);
    if (!r) {
        ctx_.program->ShowFailure(r.error);
        return false;
    }
    return true;
}

bool TNotesController::SaveNotes() {
    if (!form_)
        return true;
    if (!unreadable_.isEmpty() && unreadable_ == path_) {
        ctx_.program->ShowFailure(QStringLiteral("The notes were not saved: ") + path_ +
                                  QStringLiteral(" could not be read, and it is left as it is."));
        return false;
    }
    const QString notes = form_->Text();
    const QString digest = NotesDigest(notes);
    bool ok = true;
    // The first save of a run always writes, so a file that went missing comes back.
    if (digest != savedDigest_ || !QFileInfo::exists(path_)) {
        if (!keptExternal_.isEmpty()) {
            // Another program changed the file while the user edited: its version stays beside it.
            const QString aside = path_ + QStringLiteral(".other");
            if (Write(aside, keptExternal_))
                form_->SetResult(QStringLiteral("Another program's version was kept in ") + aside);
            keptExternal_.clear();
        }
        ok = Write(path_, notes);
        if (ok) {
            savedDigest_ = digest;
            loadedDigest_ = digest;
        }
    }
    WriteSizePos();
    return ok;
}

void TNotesController::WriteSizePos() {
    QString& value = ctx_.data.settings.notessizepos;
    if (!form_ || value.isEmpty())
        return;
    value = FormatNotesSizePos(QRect(form_->pos(), form_->size()));
}

void TNotesController::MonitorChanged() {
    // Before the window is made there is nothing to reload; its making starts the watch.
    if (form_)
        Watch();
}

void TNotesController::Watch() {
    delete watcher_;
    watcher_ = nullptr;
    if (!ctx_.data.settings.notesmonitor)
        return;
    watcher_ = new QFileSystemWatcher(this);
    const QFileInfo file(path_);
    // The folder as well: editors that save by renaming replace the file the watch was on.
    watcher_->addPath(file.absolutePath());
    if (file.exists())
        watcher_->addPath(file.absoluteFilePath());
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, [this] { FileChanged(); });
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { FileChanged(); });
}

void TNotesController::FileChanged() {
    const QFileInfo file(path_);
    if (watcher_ && file.exists() && !watcher_->files().contains(file.absoluteFilePath()))
        watcher_->addPath(file.absoluteFilePath());
    if (!form_ || !file.exists())
        return;
    QString text;
    if (!Load(&text))
        return;
    const QString digest = NotesDigest(text);
    // Our own write, or nothing new.
    if (digest == savedDigest_)
        return;
    savedDigest_ = digest;
    if (NotesDigest(form_->Text()) != loadedDigest_) {
        // The user's unsaved text is never replaced; the other version is kept aside at the next save.
        keptExternal_ = text;
        form_->SetResult(QStringLiteral("The notes file was changed by another program; your text is kept."));
        return;
    }
    form_->SetText(text);
    loadedDigest_ = digest;
}

bool TNotesController::ChangeLocation(const QString& file, TNotesMove move) {
    SaveNotes();
    QString current;
    if (form_)
        current = form_->Text();
    else if (!Load(&current))
        return false;
    QString chosen, error;
    if (!ReadNotesFile(file, &chosen, &error)) {
        ctx_.program->ShowFailure(error);
        return false; // the notes stay where they are
    }
    const QString moved = MovedNotes(move, current, chosen);
    if (move != TNotesMove::Discard && !Write(file, moved))
        return false;
    ctx_.data.settings.noteslocation = file;
    ctx_.program->WriteSettings();
    path_ = Location();
    if (form_) {
        form_->SetText(moved);
        savedDigest_ = loadedDigest_ = NotesDigest(moved);
        Watch();
    }
    return true;
}

void TNotesController::LocationChanged() {
    if (!form_ || Location() == path_)
        return;
    // The notes so far stay in their file; the window takes the notes of the new one.
    const QString newPath = Location();
    SaveNotes();
    path_ = newPath;
    QString text;
    if (Load(&text)) {
        form_->SetText(text);
        savedDigest_ = loadedDigest_ = NotesDigest(text);
        startText_ = text;
    }
    Watch();
}

void TNotesController::PlaceByDefault() {
    if (!form_ || !ctx_.form)
        return;
    const QScreen* screen = ctx_.form->screen();
    const QSize area = screen ? screen->geometry().size() : QSize(1920, 1080);
    form_->move(NotesDefaultPosition(ctx_.form->pos(), form_->frameGeometry().size(), area));
}

void TNotesController::ResetPosition() {
    PlaceByDefault();
    if (!ctx_.data.settings.notessizepos.isEmpty())
        ctx_.data.settings.notessizepos = QStringLiteral("x");
}

void TNotesController::SetDialogs(std::unique_ptr<TNotesDialogs> dialogs) { dialogs_ = std::move(dialogs); }

std::optional<QString> TNotesController::AskNewLocation(QWidget* parent) {
    if (!dialogs_)
        dialogs_ = MakeQtNotesDialogs();
    const QString file = dialogs_->ChooseFile(parent, QFileInfo(Location()).absolutePath());
    if (file.isEmpty())
        return std::nullopt;
    const std::optional<TNotesMove> move = dialogs_->AskMove(parent);
    if (!move || !ChangeLocation(file, *move))
        return std::nullopt;
    return file;
}

} // namespace vantrelo
