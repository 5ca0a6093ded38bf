// The input window: the input line, title, toast and state panel, tray icon and menus.
#pragma once

#include "platform/monitors.h"
#include "ui/keymap.h"
#include "ui/listrow.h"
#include "ui/skin/skinfile.h"
#include "ui/windowlogic.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <vector>

class QLabel;
class QMenu;
class QSystemTrayIcon;

namespace vantrelo {

struct TSettings;
class TCmdForm;

// Menu items and window actions that the program carries out.
enum class TFormCommand {
    CopyFullPath,
    OpenFolder,
    ShowHint,
    Exit,
    OpenWindow,
    ToggleSpellCheck, // "Auto Spell Checking" of the multi-line editor
    ItemMenu,         // "Windows Context Menu": the menu of the current item
};

// Where the input window sends what the user asks for; the application implements it.
class TMainFormHost {
public:
    virtual ~TMainFormHost() = default;
    // A key of the input line that asks for more than editing.
    virtual void InputKey(const TKeyDecision& decision, const TLineState& line) = 0;
    // A key of the list while a row is selected (with the row).
    virtual void ListKey(const TListKeyDecision& decision, int row) = 0;
    // The line changed by typing; `typedChar` when a character was typed (not deleted), so that
    // it may be completed; `refreshList` once the list delay has passed.
    virtual void InputEdited(const QString& text, int caret, bool typedChar, bool refreshList) = 0;
    virtual void RowActivated(int row, bool runas, bool browser) = 0;
    virtual void RowMenu(int row, QPoint globalPos) = 0;
    virtual void EditorExecute(const QString& text, bool runas, bool browser) = 0;
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
    // A key of the multi-line editor that reaches beyond the windows (browser, dialogs).
    virtual void EditorKey(const TEditorKeyDecision& decision) = 0;
    // The pin picture was double-clicked: the pin command chooses a new picture.
    virtual void PinCommand() = 0;
};

// The input line: keys go through the key map before the edit control sees them.
class TWordEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;
    std::function<bool(QKeyEvent*)> onKeyDown;
    // A keyword hotkey that shows the window marks this: its own keys' release is not typing.
    bool ignoreNextKeyRelease = false;

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
};

class TMainForm : public QWidget {
    Q_OBJECT
public:
    TMainForm(const TSettings& settings, TMainFormHost& host, QWidget* parent = nullptr);
    ~TMainForm() override;

    TWordEdit* WordEdit() const { return WordEdit_; }
    TCmdForm* CmdForm() const { return CmdForm_; }

    // Shows or hides the window; `userTime` stamps the event that asked for it (0: none).
    void ManageShowHide(bool show, bool forceKeepInput, int locktim, quint64 userTime = 0);
    // The hotkey: a toggle when `hotkeyhide` says so, else a show. `interval` is the debounce:
    // 230 ms for the hotkey, 70 ms when the Windows key or another program summons the window.
    void HotkeyPressed(quint64 userTime, int interval = 230);
    bool CheckAutoHideLogic();
    bool Closing() const { return gate_.Closing(); }
    void SetClosing();
    const TShowHideGate& Gate() const { return gate_; }

    // The line as the key map sees it.
    TLineState Line() const;
    // Puts text into the line without treating it as typing.
    void SetLineText(const QString& text, bool selectAll);
    void SetLineSelection(int start, int end);
    void SetLineColor(int bgr);
    void wordEditShow();

    void ShowToast(const QString& msg);
    QString ToastText() const;
    bool ToastVisible() const;
    void SetStatePanel(const QString& text);
    // The title of the current item; shortened to fit; shown or hidden with `show`.
    void displayTitle(const QString& title, bool isPath, bool show);
    QString TitleText() const;

    // The list window with these rows, placed against the input; `focus` selects the first row.
    void DisplayList(std::vector<TListRow> rows, bool focus);
    void HideList();
    bool ListVisible() const;
    bool ListFocused() const { return listFocus_; }
    void SetListFocus(int row);
    void RemoveListFocus();
    void SetListPos();
    // The multi-line editor with `text` (or its present text with `keep`); the input is dimmed.
    void ExpandInput(const QString& text, bool keep = false);
    // The list picture placed over both windows (the part over the input window drawn here).
    void ApplyListPicture();
    // The line's text colour (0x00BBGGRR) and the title's colour, as drawn now.
    int LineColour() const;
    QColor TitleColour() const;
    void ShowTextPanel(const QString& text);
    void StopListTimer() { ListTimer.stop(); }

    // The input window's pop-up menu at the input line's top-left corner.
    void ShowMainMenu();
    void AddIcon();
    void RemoveIcon(bool useforce);
    bool TrayIconShown() const;
    void ApplyLook();
    // The skin's values for this and the list window (the built-in look without a skin file).
    void SetSkinLayout(const TSkinLayout& layout);
    void CenterOnMonitor(int center, bool withList);
    void FitOnScreen(bool force);

    // The monitors of the screens, primary first.
    std::vector<TMonitor> Monitors() const;

protected:
    void closeEvent(QCloseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool WordEditKeyDown(QKeyEvent* e);
    void WordEditChange(const QString& text);
    void ListTimerTimer();
    void BuildMenus();
    int ListWidth() const;
    int ListHeightForCentre(bool withList) const;
    void SetTopmost(QWidget* w, bool value);
    void ApplyDimming();
    void EditorKeyAction(const TEditorKeyDecision& d);
    TListPicturePlan ListPicturePlan() const;

    const TSettings& settings_;
    TMainFormHost& host_;
    TWordEdit* WordEdit_ = nullptr;
    QLabel* IconImage = nullptr;
    QLabel* TitleLabel = nullptr;
    QLabel* ToastPanel = nullptr;
    QLabel* StatePanel = nullptr;
    TCmdForm* CmdForm_ = nullptr;
    QMenu* PopupMenu1 = nullptr; // the input window's menu
    QMenu* PopupMenu2 = nullptr; // the tray menu
    QSystemTrayIcon* TrayIcon = nullptr;
    QTimer ToastTimer;
    QTimer HintTimer;
    QTimer ListTimer;
    QElapsedTimer clock_;
    TShowHideGate gate_;
    TSkinLayout layout_;
    bool listFocus_ = false;
    bool typedChar_ = false;
    bool resizing_ = false;     // a left press in the right edge zone
    qint64 lastLeftPress_ = -1'000'000;
    bool listEverShown_ = false;
    int lineColour_ = 0;
    TPictureDraw inputPlan_; // the list picture's part over this window
    QPixmap inputPicture_;
};

} // namespace vantrelo
