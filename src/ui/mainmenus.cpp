// The input window's pop-up menu (with its shortcuts) and the tray icon with its menu.
#include "ui/mainmenus.h"

#include "core/settings.h"
#include "ui/mainform.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QStyle>
#include <QSystemTrayIcon>

namespace vantrelo {

TMainMenus::TMainMenus(TMainForm& form, const TSettings& settings, TMainFormHost& host)
    : QObject(&form), form_(form), settings_(settings), host_(host) {
    PopupMenu1 = new QMenu(&form);
    auto add = [this](QMenu* m, const QString& text, const QKeySequence& key, auto fn) {
        QAction* a = m->addAction(text);
        if (!key.isEmpty()) {
            a->setShortcut(key);
            a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            form_.addAction(a);
        }
        connect(a, &QAction::triggered, this, fn);
        return a;
    };
    auto unavailable = [](QMenu* m, const QString& text) {
        // Dialogs that are not part of this program yet are shown, but cannot be chosen.
        QAction* a = m->addAction(text);
        a->setEnabled(false);
        return a;
    };
    unavailable(PopupMenu1, QStringLiteral("Add Keyword..."));
    unavailable(PopupMenu1, QStringLiteral("Keywords..."));
    unavailable(PopupMenu1, QStringLiteral("Settings..."));
    PopupMenu1->addSeparator();
    add(PopupMenu1, QStringLiteral("Expand Input Area"), QKeySequence(), [this] { form_.ExpandInput(form_.WordEdit()->text()); });
    PopupMenu1->addSeparator();
    add(PopupMenu1, QStringLiteral("Copy"), QKeySequence(), [this] { form_.WordEdit()->copy(); });
    add(PopupMenu1, QStringLiteral("Cut"), QKeySequence(), [this] { form_.WordEdit()->cut(); });
    add(PopupMenu1, QStringLiteral("Paste"), QKeySequence(), [this] { form_.WordEdit()->paste(); });
    add(PopupMenu1, QStringLiteral("Copy Full Path of Item"), QKeySequence(Qt::Key_F8),
        [this] { host_.Command(TFormCommand::CopyFullPath); });
    add(PopupMenu1, QStringLiteral("Open Folder of Item"), QKeySequence(Qt::CTRL | Qt::Key_D),
        [this] { host_.Command(TFormCommand::OpenFolder); });
    add(PopupMenu1, QStringLiteral("Windows Context Menu"), QKeySequence(Qt::Key_F9),
        [this] { host_.Command(TFormCommand::ItemMenu); });
    add(PopupMenu1, QStringLiteral("Import from Application Menu..."), QKeySequence(Qt::CTRL | Qt::Key_I),
        [this] { host_.Command(TFormCommand::ImportApps); });
    add(PopupMenu1, QStringLiteral("Hide (Shift+Esc)"), QKeySequence(),
        [this] { form_.ManageShowHide(false, false, TShowLock::Hotkey); });
    QMenu* more = PopupMenu1->addMenu(QStringLiteral("More..."));
    add(more, QStringLiteral("Align to Center of Screen"), QKeySequence(Qt::Key_F11),
        [this] { form_.CenterOnMonitor(TCentre::Monitor, false); });
    add(more, QStringLiteral("Fit on screen if oversized (panic)"), QKeySequence(Qt::CTRL | Qt::Key_F11), [this] {
        form_.FitOnScreen(false);
        form_.CenterOnMonitor(TCentre::Monitor, false);
    });
    add(more, QStringLiteral("Show Hint"), QKeySequence(Qt::CTRL | Qt::Key_T),
        [this] { host_.Command(TFormCommand::ShowHint); });
    PopupMenu1->addSeparator();
    add(PopupMenu1, QStringLiteral("Exit: Close Vantrelo"), QKeySequence(), [this] { host_.Command(TFormCommand::Exit); });

    PopupMenu2 = new QMenu(&form);
    unavailable(PopupMenu2, QStringLiteral("Add Keyword..."));
    unavailable(PopupMenu2, QStringLiteral("Keywords..."));
    unavailable(PopupMenu2, QStringLiteral("Settings..."));
    QAction* open = PopupMenu2->addAction(QStringLiteral("Open Vantrelo..."));
    open->setObjectName(QStringLiteral("OpenVantrelo1"));
    PopupMenu2->setDefaultAction(open);
    connect(open, &QAction::triggered, this, [this] { host_.Command(TFormCommand::OpenWindow); });
    PopupMenu2->addSeparator();
    connect(PopupMenu2->addAction(QStringLiteral("Exit...")), &QAction::triggered, this,
            [this] { host_.Command(TFormCommand::Exit); });
}

void TMainMenus::AddIcon() {
    if (TrayIcon)
        return;
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    TrayIcon = new QSystemTrayIcon(this);
    QIcon icon = form_.windowIcon();
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
