// The keyword editor's detail panel: one record's fields, its hotkey, icon, labels and aids.
#pragma once

#include "ui/settings/iconchoice.h"

#include <QGroupBox>

#include <functional>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;

namespace vantrelo {

class TExeWord;
class TKeywordList;
class THotkeyCaptureField;
struct TSettings;

// What the panel's controls ask of the page.
struct TKeywordFieldsEvents {
    std::function<void()> edited;                    // a field changed (the page may apply it)
    std::function<void()> apply;                     // "Apply"
    std::function<void()> test;                      // "Test"
    std::function<void()> close;                     // "X"
    std::function<void()> enable;                    // "Disabled, click to enable"
    std::function<void(const QString& path)> file;   // a file dropped on the panel or found with "Find.."
    std::function<void(bool on)> autoApply;          // "Auto apply" changed
};

class TKeywordFields final : public QGroupBox {
    Q_OBJECT
public:
    TKeywordFields(const TKeywordList& words, TSettings& settings, const TIconChoiceHost& icons,
                   TKeywordFieldsEvents events, QWidget* parent = nullptr);

    // Every field from the record (empty and disabled for none).
    void Show(const TExeWord* w);
    // Every field into the record; the permission level goes when its label was dismissed.
    void Take(TExeWord& w) const;
    // A dropped file's proposal: command and comment, for a desktop entry also folder and
    // parameters, and the name when `name` is set.
    void Propose(const TExeWord& p, bool name, bool desktopEntry);
    // The hotkey shown: taken by a capture or given back after a failed registration.
    int Key() const { return key_; }
    int Modifiers() const { return modifiers_; }
    void SetHotkey(int key, int modifiers);
    // The name check's warning: blanks, or a name another record has.
    void CheckName(const TKeywordList& words, const TExeWord* edited);
    bool Filling() const { return filling_; }
    bool AutoApply() const;
    // The settings page's "Auto apply" changed: this box shows the same choice.
    void SetAutoApply(bool on);
    void HideDisabledLabel();
    void FocusName();
    QString Name() const;

protected:
    // Enter and Esc in a field of the panel stay in it: neither takes nor cancels the dialog.
    void keyPressEvent(QKeyEvent* e) override;

private:
    QLineEdit* Edit(const char* name);
    QLineEdit* Coloured(const char* name);
    void BuildLabels();
    void BuildLayout(QWidget* find, QWidget* buttons);
    QWidget* BuildButtons();
    // The syntax colouring of a command field.
    void Colour(QLineEdit* e);
    void Edited();

    const TKeywordList& words_;
    TSettings& settings_;
    TKeywordFieldsEvents events_;
    QLineEdit *name_, *comment_, *command_, *parameters_, *path_;
    QComboBox *open_, *tags_;
    QCheckBox *runas_, *history_, *onlyone_, *autoApply_;
    THotkeyCaptureField* hotkey_;
    TIconChoice* icon_;
    QLabel *status_, *permission_, *disabled_;
    int key_ = -1;
    int modifiers_ = -1;
    bool filling_ = false;
};

} // namespace vantrelo
