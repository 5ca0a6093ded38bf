// The notes window: the notes text, the find box with its result, "Undo" and "Stay on top".
#pragma once

#include "tools/notes.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vantrelo {

class TNotesForm final : public QWidget {
    Q_OBJECT
public:
    explicit TNotesForm(QWidget* parent = nullptr);

    QString Text() const;
    // New text (a load or a reload): the caret goes to the top; not counted as an edit.
    void SetText(const QString& text);
    QPlainTextEdit* Memo() const { return Memo_; }
    bool StayOnTop() const;
    void SetStayOnTop(bool on);
    // The colours (BGR as the settings keep them) and font of the notes text.
    void SetDesign(int textBgr, int backBgr, const QString& font, int points);
    // A line under the notes: the find's result, or what happened to the file.
    void SetResult(const QString& text);
    QString Result() const;
    // The find box's search, from the top (`next` false) or after the last match.
    void FindText(bool next);
    // Asked before "Undo" puts the notes of the start back; tests answer it themselves.
    void SetConfirm(std::function<bool(const QString& question)> confirm) { confirm_ = std::move(confirm); }

signals:
    // The window closed, lost the keyboard or the notes lost the focus: time to save.
    void SaveWanted();
    // "Undo" was confirmed: the notes of the start come back.
    void UndoWanted();
    void StayOnTopChanged(bool on);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    bool Key(QObject* watched, int key, Qt::KeyboardModifiers mods);

    QPlainTextEdit* Memo_ = nullptr;
    QWidget* UndoButton = nullptr;
    QPushButton* Button1 = nullptr;
    QLineEdit* FindEdit = nullptr;
    QLabel* FindResultLabel = nullptr;
    QCheckBox* StayOnTopCheckBox = nullptr;
    TNotesFind find_;
    std::function<bool(const QString&)> confirm_;
};

} // namespace vantrelo
