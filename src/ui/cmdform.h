// The list window: the ranked rows under the input, the text panel and the multi-line editor.
#pragma once

#include "ui/listrow.h"
#include "ui/skin/skinfile.h"
#include "ui/windowlogic.h"

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

class QLabel;
class QMenu;
class QPlainTextEdit;
class QScrollBar;

namespace vantrelo {

struct TSettings;
struct TEditorKeyDecision;

class TEntryList;
class TEditPanel;
class TEditorDialogs;

class TCmdForm : public QWidget {
    Q_OBJECT
public:
    explicit TCmdForm(const TSettings& settings, QWidget* parent = nullptr);
    ~TCmdForm() override;

    // Replaces the rows (an empty list leaves one empty placeholder row) and sizes the window.
    void SetRows(std::vector<TListRow> rows);
    int RowCount() const;
    const TListRow& Row(int i) const;
    QString RowNumber(int i) const;
    int Selected() const;
    void SetSelected(int row);
    // The row labelled with a quick number, -1 when none is.
    int RowWithNumber(int number) const;
    // Re-reads colours and fonts from the settings; `width` is the list window's width.
    void ApplyLook(int width);
    // The skin's list colours, borders and picture.
    void SetSkinLayout(const TSkinLayout& layout);
    int ListHeight(bool fixed) const;

    // The text panel with a longer result.
    void ShowText(const QString& text);
    bool TextPanelVisible() const;
    // The multi-line editor ("expand input"); `keep` leaves the editor's present text.
    void OpenEditor(const QString& text, bool keep = false);
    void CloseEditor();
    bool EditorVisible() const;
    // The editor is open and no other panel lies over it.
    bool EditorOnTop() const;
    QString EditorText() const;
    TEditPanel* Editor() const { return EditPanel; }
    // The dialogs the editor and the pin use; tests hand in fakes.
    void SetDialogs(std::unique_ptr<TEditorDialogs> dialogs);
    TEditorDialogs& Dialogs() const { return *dialogs_; }

    // The pinned picture (`pin`, `pinfile`); loaded again only when the file changed.
    void SetPinImage();
    void PositionPinImage();
    bool PinVisible() const;
    QSize PinSize() const;
    // Hides the text panel, then the editor (with `dismissEdit`); true when something went.
    bool DismissCustomElements(bool dismissAll, bool dismissEdit);
    bool CustomElementShowing() const;
    // The panel that holds the embedded page; it covers the list while shown.
    QWidget* BrowserPanel() const { return BrowserPanel_; }
    void ShowBrowserPanel();

    TEntryList* EntryList() const { return entries_; }
    QPlainTextEdit* MultiEdit() const;

signals:
    void RowClicked(int row);
    void RowActivated(int row, Qt::KeyboardModifiers modifiers);
    void RowMenuRequested(int row, QPoint globalPos);
    // Ctrl+Enter, Shift+Enter, Alt+Enter or "Execute" in the editor.
    void EditorExecute(const QString& text, bool runas, bool browser);
    void EditorClosed();
    void EditorTextChanged(const QString& text);
    // An editor key the windows carry out.
    void EditorKey(const TEditorKeyDecision& decision);
    // The right edge was dragged: the new `width` and `customwidth`.
    void ListWidthDragged(int width);
    // The bottom edge was released after a height change: the new `maxvisible`.
    void ListRowsChosen(int maxvisible);
    void PinDoubleClicked();
    void SpellCheckToggle();
    // The first layout found rows too low for the list font: `listrowheight` becomes `height`.
    void RowHeightFitted(int height);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LayoutPanels();
    void ConnectEditPanel();
    void FitRowHeight();
    // Edge resizing, in the window's coordinates; true when the event was used.
    bool EdgePress(QPoint p);
    bool EdgeMove(QPoint p, Qt::MouseButtons buttons);
    bool EdgeRelease();
    int Border() const;

    const TSettings& settings_;
    TSkinLayout layout_;
    std::unique_ptr<TEditorDialogs> dialogs_;
    TEntryList* entries_ = nullptr;
    QPlainTextEdit* TextMemo = nullptr;
    TEditPanel* EditPanel = nullptr;
    QWidget* BrowserPanel_ = nullptr;
    QWidget* PinPanel = nullptr;
    QLabel* PinImage = nullptr;
    QString pinLoaded_;
    int edge_ = 0;          // the edge being dragged (TListEdge), 0 none
    bool heightChanged_ = false;
    int width_ = 0;         // the width ApplyLook last laid out
    bool rowsFitted_ = false;
};

// The owner-drawn rows.
class TEntryList : public QWidget {
    Q_OBJECT
public:
    TEntryList(const TSettings& settings, QWidget* parent);
    void SetRows(std::vector<TListRow> rows);
    int Count() const { return int(rows_.size()); }
    const TListRow& Row(int i) const { return rows_.at(size_t(i)); }
    const QString& Number(int i) const { return numbers_.at(size_t(i)); }
    int Selected() const { return selected_; }
    void SetSelected(int row);
    void SetSkinLayout(const TSkinLayout& layout) {
        layout_ = layout;
        update();
    }
    // The pin's size while it shows (rows beside it make room), else empty.
    void SetPinSize(QSize pin) {
        pin_ = pin;
        update();
    }
    // Where the list picture lies in this control; computed by the window from both windows.
    void SetPicturePlan(const TPictureDraw& plan);
    int TopRow() const { return top_; }
    void SetTopRow(int top);
    int RowHeight() const;
    QFont ListFont() const;
    int VisibleRows() const;
    int RowAt(QPoint p) const;

signals:
    void RowClicked(int row);
    void RowActivated(int row, Qt::KeyboardModifiers modifiers);
    void RowMenuRequested(int row, QPoint globalPos);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    // The scroll bar follows the rows and the top row; the rows end where it begins.
    void SyncScrollBar();
    int RowsWidth() const;
    QIcon IconFor(const TListRow& row) const;
    void EnsureVisible(int row);
    void PaintPicture(QPainter& p, const QRect& area);
    void PaintScrollMarks(QPainter& p);

    const TSettings& settings_;
    TSkinLayout layout_;
    std::vector<TListRow> rows_;
    std::vector<QString> numbers_;
    mutable std::vector<QIcon> icons_;
    mutable std::vector<bool> iconDone_;
    int selected_ = -1;
    int top_ = 0;
    QSize pin_;
    TPictureDraw plan_;
    QPixmap scaled_; // the picture at the plan's size, made once per plan
    QScrollBar* bar_ = nullptr; // none with `listnoscrollbar`
};

} // namespace vantrelo
