// The input window's pop-up menu (with its shortcuts) and the tray icon with its menu.
#pragma once

#include <QKeySequence>
#include <QObject>

#include <vector>

class QAction;
class QKeyEvent;
class QMenu;
class QSystemTrayIcon;

namespace vantrelo {

struct TSettings;
class TMainForm;
class TMainFormHost;

class TMainMenus final : public QObject {
    Q_OBJECT
public:
    // The menus act on `form` and hand program commands to `host`.
    TMainMenus(TMainForm& form, const TSettings& settings, TMainFormHost& host);

    QMenu* LineMenu() const { return PopupMenu1; }
    void AddIcon();
    // Keeps an icon that `alwaystrayicon` asks for, unless `useforce`.
    void RemoveIcon(bool useforce);
    bool TrayIconShown() const;
    // The key is one of the menu's shortcuts, which win over the line's own editing keys.
    bool OwnsShortcut(const QKeyEvent* e) const;
    QAction* Toggle(int i) const { return toggles_.at(size_t(i)); }
    // The toggles' check marks from `hide`, `stayontop` and `lockwindow`.
    void SyncChecks();
    // "Help" on F1, or on Shift+F1 when `startf1` gives F1 to the start page.
    void SyncHelpKey();

private:
    TMainForm& form_;
    const TSettings& settings_;
    TMainFormHost& host_;
    QMenu* PopupMenu1 = nullptr; // the input window's menu
    QMenu* PopupMenu2 = nullptr; // the tray menu
    QSystemTrayIcon* TrayIcon = nullptr;
    std::vector<QKeySequence> shortcuts_;
    std::vector<QAction*> toggles_;
    QAction* help_ = nullptr;
};

} // namespace vantrelo
