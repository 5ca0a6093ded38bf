// The input window's pop-up menu (with its shortcuts) and the tray icon with its menu.
#include "ui/mainmenus.h"

#include "core/settings.h"
#include "ui/mainform.h"

#include <QAction>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QStyle>
#include <QSystemTrayIcon>

#include <algorithm>

namespace vantrelo {

TMainMenus::TMainMenus(TMainForm& form, const TSettings& settings, TMainFormHost& host)
    : QObject(&form), form_(form), settings_(settings), host_(host) {
    PopupMenu1 = new QMenu(&form);
    auto add = [this](QMenu* m, const QString& text, const QKeySequence& key, auto fn) {
        QAction* a = m->addAction(text);
        if (!key.isEmpty()) {
            shortcuts_.push_back(key);
            a->setShortcut(key);
            a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            form_.addAction(a);
        }
        connect(a, &QAction::triggered, this, fn);
        return a;
    };
    // Keys that the line's key map carries out are shown beside their items, not bound twice.
    auto keyShown = [](const QString& text, const char* key) { return text + u'\t' + QLatin1String(key); };
    auto command = [this](TFormCommand c) { return [this, c] { host_.Command(c); }; };
    add(PopupMenu1, QStringLiteral("Add Keyword..."), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_K),
        command(TFormCommand::AddKeyword));
    add(PopupMenu1, QStringLiteral("Keywords..."), QKeySequence(Qt::CTRL | Qt::Key_K), command(TFormCommand::Keywords));
    add(PopupMenu1, QStringLiteral("Settings..."), QKeySequence(Qt::CTRL | Qt::Key_S), command(TFormCommand::Settings));
    add(PopupMenu1, QStringLiteral("Browse Files..."), QKeySequence(Qt::CTRL | Qt::Key_B), command(TFormCommand::BrowseFiles));
    add(PopupMenu1, QStringLiteral("Windows Context Menu"), QKeySequence(Qt::Key_F9), command(TFormCommand::ItemMenu));
    PopupMenu1->addSeparator();
    add(PopupMenu1, keyShown(QStringLiteral("Expand Input Area"), "F10"), QKeySequence(),
        [this] { form_.ExpandInput(form_.WordEdit()->text()); });
    PopupMenu1->addSeparator();
    add(PopupMenu1, QStringLiteral("Copy"), QKeySequence(), [this] { form_.WordEdit()->copy(); });
    add(PopupMenu1, QStringLiteral("Cut"), QKeySequence(), [this] { form_.WordEdit()->cut(); });
    add(PopupMenu1, QStringLiteral("Paste"), QKeySequence(), [this] { form_.WordEdit()->paste(); });
    add(PopupMenu1, QStringLiteral("Copy Full Path of Item"), QKeySequence(Qt::Key_F8), command(TFormCommand::CopyFullPath));
    add(PopupMenu1, QStringLiteral("Open Folder of Item"), QKeySequence(Qt::CTRL | Qt::Key_D), command(TFormCommand::OpenFolder));
    add(PopupMenu1, keyShown(QStringLiteral("Expand Folder of Item"), "Ctrl+E"), QKeySequence(),
        command(TFormCommand::ExpandFolder));
    add(PopupMenu1, QStringLiteral("Import from Application Menu..."), QKeySequence(Qt::CTRL | Qt::Key_I),
        command(TFormCommand::ImportApps));
    add(PopupMenu1, QStringLiteral("Notes"), QKeySequence(Qt::CTRL | Qt::Key_N), command(TFormCommand::Notes));
    add(PopupMenu1, QStringLiteral("Hide (Shift+Esc)"), QKeySequence(),
        [this] { form_.ManageShowHide(false, false, TShowLock::Hotkey); });
    QMenu* more = PopupMenu1->addMenu(QStringLiteral("More..."));
    add(more, QStringLiteral("Delete Current Text from History"), QKeySequence(Qt::SHIFT | Qt::Key_Delete),
        command(TFormCommand::DeleteFromHistory));
    add(more, QStringLiteral("Open Current Keyword in Editor"), QKeySequence(Qt::CTRL | Qt::Key_O),
        command(TFormCommand::OpenKeyword));
    add(more, QStringLiteral("Align to Center of Screen"), QKeySequence(Qt::Key_F11),
        [this] { form_.CenterOnMonitor(TCentre::Monitor, false); });
    add(more, QStringLiteral("Fit on screen if oversized (panic)"), QKeySequence(Qt::CTRL | Qt::Key_F11), [this] {
        form_.FitOnScreen(false);
        form_.CenterOnMonitor(TCentre::Monitor, false);
    });
    add(more, QStringLiteral("Reload Skin"), QKeySequence(Qt::CTRL | Qt::Key_F5), command(TFormCommand::ReloadSkin));
    add(more, QStringLiteral("Load Skin..."), QKeySequence(), command(TFormCommand::LoadSkin));
    add(more, QStringLiteral("Save visual settings as skin..."), QKeySequence(), command(TFormCommand::SaveSkin));
    add(more, QStringLiteral("Show Hint"), QKeySequence(Qt::CTRL | Qt::Key_T), command(TFormCommand::ShowHint));
    more->addSeparator();
    // The check marks show the settings as they are each time the menu opens.
    const std::pair<const char*, TFormCommand> toggles[] = {
        {"Toggle Auto-Hide (Also found in settings)", TFormCommand::ToggleAutoHide},
        {"Toggle Stay on Top (Also found in settings)", TFormCommand::ToggleStayOnTop},
        {"Toggle Lock Window Position and Size", TFormCommand::ToggleLockWindow},
    };
    for (const auto& [text, c] : toggles) {
        QAction* a = add(more, QLatin1String(text), QKeySequence(), command(c));
        a->setCheckable(true);
        toggles_.push_back(a);
    }
    connect(PopupMenu1, &QMenu::aboutToShow, this, [this] { SyncChecks(); });
    connect(more, &QMenu::aboutToShow, this, [this] { SyncChecks(); });
    PopupMenu1->addSeparator();
    // With `startf1` F1 opens the start page, and help moves to Shift+F1.
    help_ = add(PopupMenu1, QStringLiteral("Help"), QKeySequence(settings_.startf1 ? Qt::SHIFT | Qt::Key_F1 : Qt::Key_F1),
                command(TFormCommand::Help));
    add(PopupMenu1, QStringLiteral("About"), QKeySequence(), command(TFormCommand::About));
    add(PopupMenu1, QStringLiteral("Exit: Close Vantrelo"), QKeySequence(), command(TFormCommand::Exit));

    PopupMenu2 = new QMenu(&form);
    // The tray's first three act as the input window's items of the same names.
    add(PopupMenu2, QStringLiteral("Add Keyword..."), QKeySequence(), command(TFormCommand::AddKeyword));
    add(PopupMenu2, QStringLiteral("Keywords..."), QKeySequence(), command(TFormCommand::Keywords));
    add(PopupMenu2, QStringLiteral("Settings..."), QKeySequence(), command(TFormCommand::Settings));
    QAction* open = PopupMenu2->addAction(QStringLiteral("Open Vantrelo..."));
    open->setObjectName(QStringLiteral("OpenVantrelo1"));
    PopupMenu2->setDefaultAction(open);
    connect(open, &QAction::triggered, this, [this] { host_.Command(TFormCommand::OpenWindow); });
    PopupMenu2->addSeparator();
    connect(PopupMenu2->addAction(QStringLiteral("Exit...")), &QAction::triggered, this,
            [this] { host_.Command(TFormCommand::Exit); });
}

void TMainMenus::SyncChecks() {
    const bool states[] = {settings_.hide, settings_.stayontop, settings_.lockwindow};
    for (size_t i = 0; i < toggles_.size(); ++i)
        toggles_[i]->setChecked(states[i]);
}

void TMainMenus::SyncHelpKey() {
    const QKeySequence key(settings_.startf1 ? Qt::SHIFT | Qt::Key_F1 : Qt::Key_F1);
    const QKeySequence old = help_->shortcut();
    if (old == key)
        return;
    std::replace(shortcuts_.begin(), shortcuts_.end(), old, key);
    help_->setShortcut(key);
}

bool TMainMenus::OwnsShortcut(const QKeyEvent* e) const {
    const QKeySequence key(e->keyCombination());
    return std::find(shortcuts_.begin(), shortcuts_.end(), key) != shortcuts_.end();
}

void TMainMenus::AddIcon() {
    if (TrayIcon)
        return;
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    TrayIcon = new QSystemTrayIcon(this);
    // The tray's own, bolder icon when the theme (or the shipped copies) has it, else the window's.
    QIcon icon = QIcon::fromTheme(QStringLiteral("vantrelo-tray"));
    if (icon.isNull())
        icon = form_.windowIcon();
    if (icon.isNull())
        icon = QIcon::fromTheme(QStringLiteral("system-search"));
    if (icon.isNull())
        icon = form_.style()->standardIcon(QStyle::SP_ComputerIcon);
    TrayIcon->setIcon(icon);
    TrayIcon->setToolTip(form_.windowTitle());
    TrayIcon->setContextMenu(PopupMenu2);
    connect(TrayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger || r == QSystemTrayIcon::DoubleClick)
            host_.Command(TFormCommand::OpenWindow);
    });
    TrayIcon->show();
}

void TMainMenus::RemoveIcon(bool useforce) {
    if (!TrayIcon || (!useforce && settings_.alwaystrayicon))
        return;
    TrayIcon->hide();
    TrayIcon->deleteLater();
    TrayIcon = nullptr;
}

bool TMainMenus::TrayIconShown() const { return TrayIcon != nullptr; }

} // namespace vantrelo
