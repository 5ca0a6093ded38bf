// The input window: the input line, title, toast and state panel, tray icon and menus.
#pragma once

#include "platform/monitors.h"
#include "ui/appactivation.h"
#include "ui/inputbackdrop.h"
#include "ui/inputlook.h"
#include "ui/inputwindow.h"
#include "ui/keymap.h"
#include "ui/listrow.h"
#include "ui/skin/skinfile.h"
#include "ui/windowlogic.h"
#include "ui/wordedit.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

class QLabel;

namespace vantrelo {

// What the window's first showing does not need (icons from the theme) waits this long, so the
// window is mapped before it is drawn up.
inline constexpr int kAfterFirstShowMs = 30;

struct TSettings;
class TCmdForm;
class TMainMenus;
class TInfoPanels;
class TFocusKeeper;
class TIdleInfo;
class TArrowButton;

// Menu items and window actions that the program carries out.
enum class TFormCommand {
    CopyFullPath,
    OpenFolder,
    ShowHint,
    Exit,
    OpenWindow,
    ToggleSpellCheck, // "Auto Spell Checking" of the multi-line editor
    ItemMenu,         // "Windows Context Menu": the menu of the current item
    ExpandFolder,     // "Expand Folder of Item"
    BrowseFiles,      // a file dialog whose choice becomes the line
    DeleteFromHistory,
    OpenKeyword,      // the keyword editor on the line's keyword
    ReloadSkin,
    LoadSkin,         // a skin file or package chosen in a dialog
    SaveSkin,         // the look saved as a skin, with the groups chosen in a dialog
    ToggleAutoHide,   // `hide`, `stayontop`, `lockwindow` flip; the look follows
    ToggleStayOnTop,
    ToggleLockWindow,
    Help,
    About,
    ImportApps,       // "Import from Application Menu..."
    AddKeyword,       // the keyword editor on a new keyword
    Keywords,         // the keyword editor
    Settings,         // the settings dialog
    Notes,            // the notes window
};

// Where the input window sends what is not about its line and list (TInputEvents has those):
// menu commands, its own placement and activation, the list window's size and pin.
class TMainFormHost {
public:
    virtual ~TMainFormHost() = default;
    virtual void RowMenu(int row, QPoint globalPos) = 0;
    virtual void Command(TFormCommand command) = 0;
    // Shown: remember the foreground window (never one of ours) before we take it.
    virtual void RememberForeground() = 0;
    // Asks the desktop to activate `window` with the time stamp of the triggering event.
    virtual void ActivateOwnWindow(quint64 window, quint64 userTime) = 0;
    // The frame of the last active window, when it still exists (centring mode 4).
    virtual std::optional<QRect> LastActiveFrame() const = 0;
    // The user dragged the right edge: `width` and `customwidth` become `width`, the look follows.
    virtual void InputWidthChanged(int width) = 0;
    // The list's bottom edge was dragged: `maxvisible` becomes `rows` and the list shows again.
    virtual void ListRowsChanged(int rows) = 0;
    // The first layout raised the row height to fit the list font: `listrowheight` becomes `height`.
    virtual void ListRowHeightFitted(int height) = 0;
    // The pin picture was double-clicked: the pin command chooses a new picture.
    virtual void PinCommand() = 0;
    // A file or folder was dropped on the window: a keyword is proposed for it.
    virtual void FileDropped(const QString& path) = 0;
};

class TMainForm : public QWidget, public TInputWindow {
    Q_OBJECT
public:
    TMainForm(const TSettings& settings, TMainFormHost& host, QWidget* parent = nullptr);
    ~TMainForm() override;
    // Who hears the keys, typing and rows; nothing is reported before it is set.
    void SetEvents(TInputEvents* events) { events_ = events; }
    // The milliseconds clock of the show debounce and the double press (a test drives its own).
    void SetElapsedClock(std::function<qint64()> now) { now_ = std::move(now); }

    TWordEdit* WordEdit() const { return WordEdit_; }
    TCmdForm* CmdForm() const { return CmdForm_; }

    // Shows or hides the window; `userTime` stamps the event that asked for it (0: none).
    void ManageShowHide(bool show, bool forceKeepInput, TShowLock locktim, quint64 userTime = 0);
    // The hotkey: a toggle when `hotkeyhide` says so, else a show, with the hotkey's debounce or
    // the shorter one when the Windows key or another program summons the window.
    void HotkeyPressed(quint64 userTime, TShowLock interval = TShowLock::Hotkey);
    bool CheckAutoHideLogic();
    // The program gained or lost the keyboard; a loss right after a show is not counted.
    void StartupCompleted() { activation_.StartupCompleted(); }
    void AppActivate();
    void AppDeactivate();
    // The information line (`infoenabled`, `infoonfocus`) built from `infosyntax` by `build`.
    void SetInfoSource(std::function<QString()> build);
    TIdleInfo* IdleInfo() const { return idle_; }
    bool Closing() const { return gate_.Closing(); }
    void SetClosing();
    const TShowHideGate& Gate() const { return gate_; }

    // TInputWindow
    TLineState Line() const override;
    void SetLineText(const QString& text, bool selectAll) override;
    void SetLineSelection(int start, int end) override;
    void SetCaret(int caret, int anchor) override;
    void FocusLine() override;
    void SetLineColor(int bgr) override;
    void wordEditShow() override;
    void CutOrCopySelection(bool cut) override;
    void PasteIntoLine() override;
    void ShowToast(const QString& msg) override;
    void displayTitle(const QString& title, bool isPath, bool show) override;
    void ShowTextPanel(const QString& text) override;
    // The list window in its custom layout with the page panel over the list.
    void ShowBrowserPanel();
    // Hides the page panel, and the list window when nothing else is shown in it.
    void HideBrowserPanel();
    // The list window with these rows, placed against the input; `focus` selects the first row.
    void DisplayList(std::vector<TListRow> rows, bool focus) override;
    void HideList() override;
    bool ListVisible() const override;
    int ListRowCount() const override;
    bool ListRowIsHeader(int row) const override;
    int RowWithNumber(int number) const override;
    void SetListFocus(int row) override;
    void RemoveListFocus() override;
    QPoint RowMenuPoint(int row) const override;
    void StopListTimer() override { ListTimer.stop(); }
    bool WindowVisible() const override { return isVisible(); }
    void ShowWindow(bool show, bool keepInput, TShowLock lock) override { ManageShowHide(show, keepInput, lock); }
    void CenterOnMonitor(TCentre center, bool withList) override;
    void FitOnScreen(bool force) override;
    // The multi-line editor with `text`; the input is dimmed.
    void ExpandInput(const QString& text) override;
    void ShowLineMenu() override;
    bool CaretAtRightEdge() const override;
    void DismissListPanels() override;

    QString ToastText() const;
    bool ToastVisible() const;
    void SetStatePanel(const QString& text);
    // The reminder badge over the icon; an empty `picture` hides it.
    void SetReminderBadge(const QString& picture);
    void SetBrowserBadge(const QString& picture);
    bool BrowserBadgeShown() const;
    // The browser's page shows in the list window (it is not merely alive in the background).
    bool BrowserPanelShown() const;
    bool ReminderBadgeShown() const;
    QString TitleText() const;
    bool ListFocused() const { return listFocus_; }
    void SetListPos();
    // The list picture placed over both windows (the part over the input window drawn here).
    void ApplyListPicture();
    // The line's text colour (0x00BBGGRR) and the title's colour, as drawn now.
    int LineColour() const;
    QColor TitleColour() const;

    TMainMenus* Menus() const { return menus_; }
    // The input window's pop-up menu at the input line's top-left corner.
    void ShowMainMenu();
    void AddIcon();
    void RemoveIcon(bool useforce);
    bool TrayIconShown() const;
    void ApplyLook();
    // The skin's values for this and the list window (the built-in look without a skin file).
    void SetSkinLayout(const TSkinLayout& layout);
    const TSkinLayout& SkinLayout() const { return layout_; }

    // The monitors of the screens, primary first.
    std::vector<TMonitor> Monitors() const;

protected:
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool WordEditKeyDown(QKeyEvent* e);
    void WordEditChange(const QString& text);
    void ListTimerTimer();
    int ListWidth() const;
    int ListHeightForCentre(bool withList) const;
    void ApplyDimming();
    // The window's outline without its corners (and its bottom border when the list joins it).
    void UpdateShape();
    void ShowInputIcon();
    // The open-list button and the window's outline follow the list's showing.
    void ListShownChanged();
    // The opacity of the active or inactive window.
    void SetBlend(bool active);
    TListPicturePlan ListPicturePlan() const;

    const TSettings& settings_;
    TMainFormHost& host_;
    TInputEvents* events_ = nullptr;
    TWordEdit* WordEdit_ = nullptr;
    QLabel* IconImage = nullptr;
    TInfoPanels* panels_ = nullptr; // title, toast and state panel, children
    TCmdForm* CmdForm_ = nullptr;
    TMainMenus* menus_ = nullptr; // the pop-up and tray menus, a child
    TIdleInfo* idle_ = nullptr;   // the information line, a child
    TFocusKeeper* focus_ = nullptr; // the editor given back, dialogs kept in front; a child
    QTimer ListTimer;
    QElapsedTimer clock_;
    std::function<qint64()> now_;
    TShowHideGate gate_;
    TSkinLayout layout_;
    bool listFocus_ = false;
    bool typedChar_ = false;
    bool listEverShown_ = false;
    bool shownOnce_ = false; // a hide before the first show is the start's
    TAppActivation activation_{settings_, *this};
    int lineColour_ = 0;
    bool inputIconDue_ = false; // the line's icon waits for the first showing
    TInputBackdrop backdrop_; // the skin picture, the list picture's part over this window, the border
    TInputLook look_;         // the Scale layout as last applied
    TArrowButton* arrow_ = nullptr; // the open-list button, a child
};

} // namespace vantrelo
