// The list window: the ranked rows under the input, the text panel and the multi-line editor.
#pragma once

#include "ui/listrow.h"
#include "ui/skin/skinfile.h"

#include <QIcon>
#include <QString>
#include <QWidget>

#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vantrelo {

struct TSettings;

class TEntryList;

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
    // The multi-line editor ("expand input").
    void OpenEditor(const QString& text);
    void CloseEditor();
    bool EditorVisible() const;
    QString EditorText() const;
    // Hides the text panel, then the editor (with `dismissEdit`); true when something went.
    bool DismissCustomElements(bool dismissAll, bool dismissEdit);
    bool CustomElementShowing() const;

    TEntryList* EntryList() const { return entries_; }
    QPlainTextEdit* MultiEdit() const { return multiEdit_; }

signals:
    void RowClicked(int row);
    void RowActivated(int row, Qt::KeyboardModifiers modifiers);
    void RowMenuRequested(int row, QPoint globalPos);
    // Ctrl+Enter, Shift+Enter, Alt+Enter or "Execute" in the editor.
    void EditorExecute(const QString& text, bool runas, bool browser);
    void EditorClosed();
    void EditorTextChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void EditSubmitButtonClick();
    void LayoutPanels();

    const TSettings& settings_;
    TSkinLayout layout_;
    TEntryList* entries_ = nullptr;
    QPlainTextEdit* TextMemo = nullptr;
    QWidget* EditPanel = nullptr;
    QLabel* EditLabel = nullptr;
    QPushButton* EditSubmitButton = nullptr;
    QPushButton* EditCloseButton = nullptr;
    QPlainTextEdit* multiEdit_ = nullptr;
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
    int TopRow() const { return top_; }
    int RowHeight() const;
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

private:
    QIcon IconFor(const TListRow& row) const;
    void EnsureVisible(int row);

    const TSettings& settings_;
    TSkinLayout layout_;
    std::vector<TListRow> rows_;
    std::vector<QString> numbers_;
    mutable std::vector<QIcon> icons_;
    mutable std::vector<bool> iconDone_;
    int selected_ = -1;
    int top_ = 0;
};

} // namespace vantrelo
