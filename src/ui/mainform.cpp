// The input window's widgets: they draw the state and hand every key and click to the key map or the host.
#include "ui/mainform.h"
#include "ui/widgetkit.h"

#include "core/settings.h"
#include "ui/cmdform.h"
#include "ui/editpanel.h"
#include "ui/arrowbutton.h"
#include "ui/filedrop.h"
#include "ui/focuskeeper.h"
#include "ui/idleinfo.h"
#include "ui/inputmouse.h"
#include "ui/infopanels.h"
#include "ui/inputlook.h"
#include "ui/mainmenus.h"
#include "ui/screens.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QWindow>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyle>

#include <algorithm>

namespace vantrelo {

namespace {

class TFormRows final : public TRowTexts {
public:
    explicit TFormRows(const TCmdForm& f) : f_(f) {}
    int Count() const override { return f_.RowCount(); }
    QString Text(int row) const override { return f_.Row(row).text; }

private:
    const TCmdForm& f_;
};

} // namespace

TMainForm::TMainForm(const TSettings& settings, TMainFormHost& host, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), settings_(settings), host_(host),
      layout_(DefaultSkinLayout(settings)) {
    setObjectName(QStringLiteral("MainForm"));
    setMouseTracking(true);
    setWindowTitle(QStringLiteral("Vantrelo"));
    clock_.start();
    now_ = [this] { return clock_.elapsed(); };
    IconImage = new QLabel(this);
    IconImage->setObjectName(QStringLiteral("IconImage"));
    WordEdit_ = new TWordEdit(this);
    WordEdit_->setObjectName(QStringLiteral("WordEdit"));
    WordEdit_->setFrame(false);
    WordEdit_->onKeyDown = [this](QKeyEvent* e) { return WordEditKeyDown(e); };
    panels_ = new TInfoPanels(*this, settings_);
    // The Scale layout places the widgets (ApplyLook); the open-list button lists the input.
    arrow_ = new TArrowButton(this);
    connect(arrow_, &TArrowButton::clicked, this, [this] {
        if (events_)
            events_->ListButtonClicked();
    });

    CmdForm_ = new TCmdForm(settings_, this);
    CmdForm_->installEventFilter(this);
    connect(CmdForm_, &TCmdForm::RowClicked, this, [this](int r) { SetListFocus(r); });
    connect(CmdForm_, &TCmdForm::RowActivated, this, [this](int r, Qt::KeyboardModifiers m) {
        if (events_)
            events_->RowActivated(r, m & Qt::ShiftModifier, m & Qt::AltModifier);
    });
    connect(CmdForm_, &TCmdForm::RowMenuRequested, this, [this](int r, QPoint p) { host_.RowMenu(r, p); });
    connect(CmdForm_, &TCmdForm::EditorExecute, this,
            [this](const QString& t, bool runas, bool browser) {
                if (events_)
                    events_->EditorExecute(t, runas, browser);
            });
    connect(CmdForm_, &TCmdForm::EditorTextChanged, this, [this](const QString& t) {
        // The editor's text goes into the line as it is edited, not as typing.
        if (CmdForm_->EditorVisible())
            SetLineText(t, false);
    });
    connect(CmdForm_, &TCmdForm::EditorClosed, this, [this] {
        // The caret goes back to the line, whose colours return.
        const int caret = CmdForm_->MultiEdit()->textCursor().position();
        wordEditShow();
        activateWindow();
        WordEdit_->setFocus();
        WordEdit_->setCursorPosition(caret);
        if (settings_.autodropdown && events_)
            events_->InputEdited(WordEdit_->text(), WordEdit_->cursorPosition(), false, true);
    });
    connect(CmdForm_, &TCmdForm::EditorKey, this, [this](const TEditorKeyDecision& d) {
        if (events_)
            events_->EditorKey(d);
    });
    connect(CmdForm_, &TCmdForm::ListWidthDragged, this, [this](int w) { host_.InputWidthChanged(w); });
    connect(CmdForm_, &TCmdForm::ListRowsChosen, this, [this](int rows) { host_.ListRowsChanged(rows); });
    connect(CmdForm_, &TCmdForm::RowHeightFitted, this, [this](int h) { host_.ListRowHeightFitted(h); });
    connect(CmdForm_, &TCmdForm::PinDoubleClicked, this, [this] { host_.PinCommand(); });
    connect(CmdForm_, &TCmdForm::SpellCheckToggle, this, [this] { host_.Command(TFormCommand::ToggleSpellCheck); });

    ListTimer.setSingleShot(true);
    connect(&ListTimer, &QTimer::timeout, this, [this] { ListTimerTimer(); });
    connect(WordEdit_, &QLineEdit::textEdited, this, [this](const QString& t) { WordEditChange(t); });
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState st) {
        st == Qt::ApplicationActive ? AppActivate() : AppDeactivate();
    });

    menus_ = new TMainMenus(*this, settings_, host_);
    idle_ = new TIdleInfo(settings_, WordEdit_, {IconImage, arrow_, panels_->Title()}, this);
    focus_ = new TFocusKeeper(this, CmdForm_, this);
    new TInputMouse(this, CmdForm_, settings_, host_, now_);
    // A file dropped anywhere on the window, its line included, is proposed as a keyword.
    for (QWidget* target : {static_cast<QWidget*>(this), static_cast<QWidget*>(WordEdit_)})
        new TFileDrop(target, [this](const QString& path) { host_.FileDropped(path); });
    WordEdit_->ownsShortcut = [this](const QKeyEvent* e) { return menus_->OwnsShortcut(e); };
    ApplyLook();
    QTimer::singleShot(kAfterFirstShowMs, this, [this] {
        inputIconDue_ = true;
        ShowInputIcon();
    });
}

TMainForm::~TMainForm() = default;

void TMainForm::ApplyLook() {
    const QColor text = Bgr(settings_.textcolor);
    const QColor back = Bgr(settings_.textbackcolor);
    lineColour_ = settings_.textcolor;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, back);
    pal.setColor(QPalette::Base, back);
    pal.setColor(QPalette::Text, text);
    pal.setColor(QPalette::WindowText, Bgr(settings_.titlecolor));
    pal.setColor(QPalette::Highlight, text);
    pal.setColor(QPalette::HighlightedText, back);
    setPalette(pal);
    // The backdrop paints the border, the panel and the skin picture.
    setAutoFillBackground(false);
    WordEdit_->setPalette(pal);
    panels_->ApplyLook(pal);
    look_ = ApplyScaleLook({this, IconImage, WordEdit_, arrow_, panels_->Title()}, settings_, layout_, logicalDpiY());
    ShowInputIcon();
    UpdateShape();
    SetStaysOnTop(this, settings_.stayontop);
    CmdForm_->ApplyLook(ListWidth());
    ApplyListPicture();
    SetBlend(isActiveWindow());
    update();
}

// The icon theme's first lookup reads its index files: the line's icon follows a moment after the
// window's first showing (a posted call would run before the map request leaves).
void TMainForm::ShowInputIcon() {
    if (!inputIconDue_)
        return;
    QIcon icon = QIcon::fromTheme(QStringLiteral("system-search"));
    if (icon.isNull())
        icon = style()->standardIcon(QStyle::SP_FileDialogContentsView);
    IconImage->setPixmap(icon.pixmap(look_.scale.icon.size()));
}

void TMainForm::UpdateShape() {
    look_.backdrop.joinList = settings_.onewindow && ListVisible();
    setMask(BackdropShape(size(), look_.backdrop));
}

void TMainForm::ListShownChanged() {
    arrow_->SetUp(ListVisible());
    if (settings_.onewindow)
        UpdateShape();
}

void TMainForm::SetBlend(bool active) {
    // Opacity 255 is no blending at all; the list follows when it inherits the transparency.
    const double opacity = BlendAlpha(settings_, active).value_or(255) / 255.0;
    setWindowOpacity(opacity);
    if (settings_.listinherittransparency)
        CmdForm_->setWindowOpacity(opacity);
}

void TMainForm::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange)
        SetBlend(isActiveWindow());
}

void TMainForm::SetSkinLayout(const TSkinLayout& layout) {
    layout_ = layout;
    backdrop_.Reset();
    CmdForm_->SetSkinLayout(layout);
    ApplyListPicture();
    if (layout_.titlecolor)
        panels_->SetTitleColour(*layout_.titlecolor);
    update();
}

int TMainForm::ListWidth() const { return width(); }

std::vector<TMonitor> TMainForm::Monitors() const { return ScreenMonitors(); }

void TMainForm::AppActivate() {
    // Whatever brings the window back gives the user's input back first.
    if (idle_->IsUp())
        idle_->Down();
    activation_.Activated(gate_.Closing(), TFocusKeeper::FocusedWindow());
}

void TMainForm::AppDeactivate() {
    if (!activation_.Started() || !gate_.QuietFor(now_(), 150))
        return;
    if (activation_.Deactivated(now_(), gate_.Closing(), focus_->AtLoss()) && settings_.infoenabled)
        idle_->Up();
}

void TMainForm::SetInfoSource(std::function<QString()> build) { idle_->SetTextSource(std::move(build)); }

void TMainForm::SetClosing() {
    idle_->SetClosing();
    gate_.SetClosing();
    panels_->StopTimers();
    ListTimer.stop();
}

void TMainForm::ManageShowHide(bool show, bool forceKeepInput, TShowLock locktim, quint64 userTime) {
    const qint64 now = now_();
    if (!show) {
        if (!gate_.BeginHide(now))
            return;
        if (!shownOnce_)
            activation_.StartedHidden();
        ListTimer.stop();
        if (settings_.infoonfocus && !settings_.holdtext)
            idle_->StopFocusInfo();
        CmdForm_->hide();
        listFocus_ = false;
        hide();
        if (settings_.infoenabled)
            idle_->Up();
        if (settings_.trayicon || settings_.alwaystrayicon)
            AddIcon();
        return;
    }
    if (!gate_.BeginShow(now, int(locktim)))
        return;
    shownOnce_ = true;
    idle_->Down();
    host_.RememberForeground();
    if (!settings_.alwaystrayicon)
        RemoveIcon(false);
    SetStaysOnTop(this, settings_.stayontop);
    if (settings_.center != 0)
        CenterOnMonitor(TCentre(settings_.center), settings_.autodropdown || ListVisible());
    else
        move(RescueOffScreen(pos(), size(), Monitors()));
    QWidget::show();
    if (activation_.ListWithWindow(listEverShown_, WordEdit_->text().isEmpty())) {
        SetListPos();
        CmdForm_->show();
    }
    raise();
    activateWindow();
    // The desktop gives the keyboard only to a request stamped with the user's own key press.
    host_.ActivateOwnWindow(winId(), userTime);
    WordEdit_->setFocus(Qt::ActiveWindowFocusReason);
    if (settings_.infoonfocus && !forceKeepInput && !settings_.holdtext) {
        idle_->StartFocusInfo();
    } else if (!forceKeepInput) {
        if (settings_.clearlast && !settings_.holdtext && !WordEdit_->text().startsWith(settings_.calcchar)) {
            TKeyDecision d;
            d.action = TKeyAction::ClearLine;
            if (events_)
                events_->InputKey(d, Line());
        } else {
            // What was left in the line is selected, so typing replaces it.
            WordEdit_->selectAll();
        }
    }
    if (!forceKeepInput && CmdForm_->isVisible())
        focus_->GiveBack(activation_.TakeRefocus());
    focus_->KeepDialogsInFront();
    if (events_)
        events_->Shown();
}

void TMainForm::HotkeyPressed(quint64 userTime, TShowLock interval) {
    if (!gate_.QuietFor(now_(), int(interval)))
        return;
    if (CheckAutoHideLogic())
        return;
    if (settings_.popatcursor)
        move(PopUpPosition(QCursor::pos(), size(), Monitors()));
    ManageShowHide(true, false, interval, userTime);
}

bool TMainForm::CheckAutoHideLogic() {
    if (!settings_.hotkeyhide || !isVisible())
        return false;
    if (!settings_.hide && !isActiveWindow())
        return false;
    ManageShowHide(false, false, TShowLock::Hotkey);
    return true;
}

TLineState TMainForm::Line() const {
    TLineState l;
    l.text = WordEdit_->text();
    l.caret = WordEdit_->cursorPosition();
    l.selStart = WordEdit_->hasSelectedText() ? WordEdit_->selectionStart() : l.caret;
    l.selLength = int(WordEdit_->selectedText().size());
    return l;
}

void TMainForm::SetLineText(const QString& text, bool selectAll) {
    WordEdit_->setText(text);
    if (selectAll)
        WordEdit_->selectAll();
    else
        WordEdit_->end(false);
}

void TMainForm::SetLineSelection(int start, int end) {
    WordEdit_->setSelection(start, end - start);
}

void TMainForm::SetCaret(int caret, int anchor) {
    WordEdit_->setCursorPosition(caret);
    if (anchor >= 0)
        WordEdit_->setSelection(anchor, caret - anchor);
}

void TMainForm::FocusLine() {
    if (isVisible())
        activateWindow();
    WordEdit_->setFocus();
}

void TMainForm::CutOrCopySelection(bool cut) {
    if (cut)
        WordEdit_->cut();
    else
        WordEdit_->copy();
}

void TMainForm::PasteIntoLine() { WordEdit_->paste(); }

void TMainForm::SetLineColor(int bgr) {
    lineColour_ = bgr;
    QPalette p = WordEdit_->palette();
    p.setColor(QPalette::Text, Bgr(bgr));
    WordEdit_->setPalette(p);
}

void TMainForm::wordEditShow() {
    if (lineColour_ != settings_.failcolor)
        SetLineColor(settings_.textcolor);
    panels_->SetTitleColour(settings_.titlecolor);
}

void TMainForm::ShowToast(const QString& msg) { panels_->ShowToast(msg, WordEdit_->width()); }
QString TMainForm::ToastText() const { return panels_->ToastText(); }
bool TMainForm::ToastVisible() const { return panels_->ToastVisible(); }
void TMainForm::SetStatePanel(const QString& text) { panels_->SetStatePanel(text); }
void TMainForm::SetReminderBadge(const QString& picture) { panels_->SetReminderBadge(picture, *IconImage); }
bool TMainForm::ReminderBadgeShown() const { return panels_->ReminderBadgeShown(); }
void TMainForm::SetBrowserBadge(const QString& picture) { panels_->SetBrowserBadge(picture, *IconImage); }
bool TMainForm::BrowserBadgeShown() const { return panels_->BrowserBadgeShown(); }
bool TMainForm::BrowserPanelShown() const { return !CmdForm_->BrowserPanel()->isHidden(); }

void TMainForm::displayTitle(const QString& title, bool isPath, bool show) {
    panels_->ShowTitle(WordEdit_->text().contains(u'\n') ? QStringLiteral("[=] ") + title : title, isPath, show,
                       std::max(1, WordEdit_->width()));
}

QString TMainForm::TitleText() const { return panels_->TitleText(); }

void TMainForm::DisplayList(std::vector<TListRow> rows, bool focus) {
    CmdForm_->SetRows(std::move(rows));
    if (settings_.pin && !CmdForm_->PinVisible())
        CmdForm_->SetPinImage();
    CmdForm_->ApplyLook(ListWidth());
    SetListPos();
    if (!CmdForm_->isVisible()) {
        SetStaysOnTop(CmdForm_, settings_.stayontop);
        CmdForm_->show();
    }
    listEverShown_ = true;
    ListShownChanged();
    listFocus_ = false;
    if (focus) {
        TFormRows rowsView(*CmdForm_);
        SetListFocus(FirstListRow(rowsView, settings_.comboheaders));
    }
}

void TMainForm::HideList() {
    listFocus_ = false;
    CmdForm_->SetSelected(-1);
    if (!CmdForm_->CustomElementShowing())
        CmdForm_->hide();
    ListShownChanged();
}

bool TMainForm::ListVisible() const { return CmdForm_->isVisible(); }
int TMainForm::ListRowCount() const { return CmdForm_->RowCount(); }
bool TMainForm::ListRowIsHeader(int row) const { return row >= 0 && row < CmdForm_->RowCount() && CmdForm_->Row(row).header; }
int TMainForm::RowWithNumber(int number) const { return CmdForm_->RowWithNumber(number); }

QPoint TMainForm::RowMenuPoint(int row) const {
    // At x = 26, y = the row's top + 9 in the list window.
    const TEntryList* list = CmdForm_->EntryList();
    const int y = list->y() + (row - list->TopRow()) * list->RowHeight() + 9;
    return CmdForm_->mapToGlobal(QPoint(26, y));
}

void TMainForm::DismissListPanels() { CmdForm_->DismissCustomElements(true, true); }

void TMainForm::SetListFocus(int row) {
    listFocus_ = row >= 0;
    CmdForm_->SetSelected(row);
}

void TMainForm::RemoveListFocus() {
    listFocus_ = false;
    CmdForm_->SetSelected(-1);
    WordEdit_->setFocus();
}

void TMainForm::SetListPos() {
    const QRect input = frameGeometry();
    const QScreen* screen = QGuiApplication::screenAt(input.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect monitor = screen ? screen->geometry() : QRect(0, 0, 1 << 15, 1 << 15);
    // One window: the list overlaps the input's bottom border; else it opens at the layout's offset.
    const int offset = look_.scale.listTop > 0 ? look_.scale.listTop : input.height() + S(this, 2);
    const int border = S(this, layout_.bordersizewindow);
    CmdForm_->move(settings_.onewindow ? QPoint(input.x(), input.bottom() + 1 - border)
                                       : ListPosition(input, CmdForm_->height(), offset, 0, monitor));
    ApplyListPicture();
}

TListPicturePlan TMainForm::ListPicturePlan() const {
    TListPictureInput in;
    in.position = layout_.listtilepictureposition;
    in.fillmode = layout_.listfillmode;
    in.picture = layout_.listpicture.size();
    in.input = frameGeometry();
    const QWidget* list = CmdForm_->EntryList();
    // Both rectangles in the list window's parent frame: the input window's origin is (0, 0).
    in.input.moveTo(0, 0);
    // A list that has not been placed yet will open below the input window.
    const QPoint listWindow = CmdForm_->isVisible() ? CmdForm_->pos() - pos() : QPoint(0, height() + S(this, 1));
    in.list = QRect(listWindow + list->pos(), list->size());
    in.mergeShift = height() + (settings_.onewindow ? 0
                                                    : S(this, layout_.bordersizewindow) +
                                                          S(this, layout_.bordersizelist) + S(this, 2));
    return PlanListPicture(in);
}

void TMainForm::ApplyListPicture() {
    if (layout_.listpicture.isNull())
        return;
    const TListPicturePlan plan = ListPicturePlan();
    CmdForm_->EntryList()->SetPicturePlan(plan.list);
    if (backdrop_.SetPlan(plan.input))
        update();
}

void TMainForm::ExpandInput(const QString& text) {
    CmdForm_->OpenEditor(text, false);
    CmdForm_->ApplyLook(ListWidth());
    SetListPos();
    CmdForm_->show();
    ApplyDimming();
    CmdForm_->activateWindow();
    CmdForm_->MultiEdit()->setFocus();
    CmdForm_->MultiEdit()->ensureCursorVisible();
}

void TMainForm::ApplyDimming() {
    // While the editor holds the text, the line only mirrors it.
    const TDimmedColours c = DimmedColours(settings_.dimonexpand, settings_.diminput, settings_.dimamount,
                                           settings_.textcolor, settings_.titlecolor, settings_.textbackcolor);
    if (c.text)
        SetLineColor(*c.text);
    if (c.title)
        panels_->SetTitleColour(*c.title);
}

int TMainForm::LineColour() const { return lineColour_; }

QColor TMainForm::TitleColour() const { return panels_->TitleColour(); }

void TMainForm::ShowTextPanel(const QString& text) {
    CmdForm_->ShowText(text);
    CmdForm_->ApplyLook(ListWidth());
    SetListPos();
    CmdForm_->show();
}

void TMainForm::ShowBrowserPanel() {
    CmdForm_->ShowBrowserPanel();
    CmdForm_->ApplyLook(ListWidth());
    SetListPos();
    CmdForm_->show();
}

void TMainForm::HideBrowserPanel() {
    if (!CmdForm_->BrowserPanel()->isVisible())
        return;
    CmdForm_->BrowserPanel()->hide();
    if (!CmdForm_->CustomElementShowing())
        HideList();
}

void TMainForm::ShowMainMenu() { menus_->LineMenu()->popup(WordEdit_->mapToGlobal(QPoint(0, 0))); }

bool TMainForm::CaretAtRightEdge() const {
    if (WordEdit_->cursorPosition() != WordEdit_->text().size())
        return false;
    return WordEdit_->CaretRect().right() >= WordEdit_->contentsRect().right() - S(this, 5);
}

void TMainForm::ShowLineMenu() {
    menus_->LineMenu()->popup(WordEdit_->mapToGlobal(QPoint(0, WordEdit_->height() + S(this, 4))));
}

void TMainForm::AddIcon() { menus_->AddIcon(); }
void TMainForm::RemoveIcon(bool useforce) { menus_->RemoveIcon(useforce); }
bool TMainForm::TrayIconShown() const { return menus_->TrayIconShown(); }

int TMainForm::ListHeightForCentre(bool withList) const {
    int h = height();
    if (withList || ListVisible() || settings_.autodropdown)
        h += S(this, settings_.listrowheight) * settings_.maxvisible + S(this, 2) + 2 * S(this, 1);
    return h;
}

void TMainForm::CenterOnMonitor(TCentre center, bool withList) {
    const std::vector<TMonitor> monitors = Monitors();
    TCenterInput in;
    in.center = int(center);
    in.window = frameGeometry();
    in.pointer = QCursor::pos();
    in.lastActive = host_.LastActiveFrame();
    const TCenterTarget t = GetCenterMonitor(in, monitors);
    const int h = withList ? ListHeightForCentre(true) : height();
    if (const auto p = vantrelo::CenterOnMonitor(t, size(), h, monitors))
        move(*p);
    if (ListVisible())
        SetListPos();
}

void TMainForm::FitOnScreen(bool force) {
    const std::vector<TMonitor> monitors = Monitors();
    const int m = MonitorNearest(monitors, frameGeometry());
    if (m < 0)
        return;
    const QRect b = monitors[size_t(m)].bounds;
    if (force || width() > 0.9 * b.width())
        setFixedWidth(int(b.width() * 0.35));
    CmdForm_->ApplyLook(ListWidth());
}

bool TMainForm::WordEditKeyDown(QKeyEvent* e) {
    if (!events_)
        return false;
    const TKeyStroke k = StrokeOf(e);
    if (listFocus_ && ListVisible()) {
        TFormRows rows(*CmdForm_);
        if (events_->ListKey(DecideListKey(k, rows, CmdForm_->Selected(), settings_), CmdForm_->Selected()))
            return true;
    }
    // A printable character may be completed; Backspace, Delete and the like never are.
    typedChar_ = !e->text().isEmpty() && e->text().at(0).isPrint() && !k.ctrl;
    const TLineState line = Line();
    const TKeyDecision d = DecideInputKey(k, line, settings_, TKeyContext{});
    // The information line is never run as a command.
    if (d.action == TKeyAction::Execute && idle_->HoldsInfo(line.text))
        return true;
    return events_->InputKey(d, line);
}

void TMainForm::WordEditChange(const QString& text) {
    idle_->UserTyped();
    wordEditShow();
    listFocus_ = false;
    CmdForm_->SetSelected(-1);
    const bool now = settings_.autodelay <= 0;
    const bool typed = typedChar_;
    typedChar_ = false;
    if (events_)
        events_->InputEdited(text, WordEdit_->cursorPosition(), typed, now);
    if (!now)
        ListTimer.start(settings_.autodelay);
}

void TMainForm::ListTimerTimer() {
    if (events_)
        events_->InputEdited(WordEdit_->text(), WordEdit_->cursorPosition(), false, true);
}

void TMainForm::closeEvent(QCloseEvent* e) {
    // The system's close asks the program to end; the program decides when.
    e->ignore();
    if (!gate_.Closing())
        host_.Command(TFormCommand::Exit);
}

void TMainForm::contextMenuEvent(QContextMenuEvent* e) { menus_->LineMenu()->popup(e->globalPos()); }

void TMainForm::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    if (CmdForm_ && CmdForm_->isVisible())
        SetListPos();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    // Should the desktop give the list window the keyboard, its keys still belong to the line.
    if (watched == CmdForm_ && event->type() == QEvent::KeyPress && !CmdForm_->EditorVisible()) {
        QCoreApplication::sendEvent(WordEdit_, event);
        activateWindow();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TMainForm::paintEvent(QPaintEvent* e) {
    QWidget::paintEvent(e);
    QPainter p(this);
    backdrop_.Paint(p, rect(), layout_, look_.backdrop);
}

} // namespace vantrelo
