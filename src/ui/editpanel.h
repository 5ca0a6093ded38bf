// The multi-line editor panel of the list window: its bar, the editor, its pop-up menu and zoom.
#pragma once

#include "ui/keymap.h"

#include <QWidget>

#include <functional>
#include <vector>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace vantrelo {

struct TSettings;
class TEditorDialogs;
class TSpellChecker;
class TSpellHighlighter;
struct TRegexMenuEntry;

class TEditPanel : public QWidget {
    Q_OBJECT
public:
    TEditPanel(const TSettings& settings, TEditorDialogs& dialogs, QWidget* parent);
    ~TEditPanel() override;

    // Label, font and colours for a list window `listWidth` pixels wide.
    void ApplyLook(int listWidth);
    // Puts `text` into the editor (unless `keep`), caret at the end.
    void Open(const QString& text, bool keep);
    QString Text() const;
    // The "Execute" button: the text runs unless the editor is empty.
    void Submit();
    // Replaces the text as a choice of the input assist would: caret at the end.
    void SetText(const QString& text);
    QPlainTextEdit* MultiEdit() const { return MultiEdit_; }
    QMenu* Menu() const { return EditMenu; }
    QString LabelText() const;
    int Zoom() const { return zoom_; }
    void SetZoom(int percent);

    // Spell checking as `spellcheckedit` says; false when it is on but no dictionary is installed.
    bool ApplySpellCheck();
    // Where the checker comes from (the user's hunspell dictionary unless a test says otherwise).
    void SetSpellCheckerFactory(std::function<std::unique_ptr<TSpellChecker>()> factory);

    // The "RegEx:" entries, asked for each time the menu opens.
    void SetRuleSource(std::function<std::vector<TRegexMenuEntry>()> source) { rules_ = std::move(source); }

    // The menu's actions; they act only while the panel shows.
    void OpenFile();
    void SaveAs();
    void ShowMenu();

signals:
    void Execute(const QString& text, bool runas, bool browser);
    void CloseRequested();
    // A key the window carries out (placement, focus, other dialogs).
    void KeyAction(const TEditorKeyDecision& decision);
    void TextChanged(const QString& text);
    // "Auto Spell Checking" (F7): the owner flips `spellcheckedit` and calls ApplySpellCheck.
    void SpellCheckToggle();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool EditorKey(QKeyEvent* e);
    bool MenuShortcut(QKeyEvent* e);
    void BuildMenu();
    void RebuildRuleEntries();
    void ApplyRules(const QString& rules);
    void ApplyFont();

    const TSettings& settings_;
    TEditorDialogs& dialogs_;
    QLabel* EditLabel = nullptr;
    QPushButton* EditSubmitButton = nullptr;
    QPushButton* EditCloseButton = nullptr;
    QPlainTextEdit* MultiEdit_ = nullptr;
    QMenu* EditMenu = nullptr;
    QAction* SpellCheckItem = nullptr;
    std::function<std::vector<TRegexMenuEntry>()> rules_;
    QList<QAction*> ruleActions_; // the "RegEx:" entries and their separator, made afresh each time
    TSpellHighlighter* highlighter_ = nullptr;
    std::function<std::unique_ptr<TSpellChecker>()> makeChecker_;
    std::unique_ptr<TSpellChecker> checker_;
    bool checkerMade_ = false;
    int zoom_ = 100;
    int baseSize_ = 10;
};

} // namespace vantrelo
