// The settings dialog: the tabs "Keywords", "Settings" (pages built from the field table) and "About".
#pragma once

#include "ui/settings/setupmodel.h"

#include <QByteArray>
#include <QDialog>
#include <QPointer>

#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>
#include <vector>

class QListWidget;
class QStackedWidget;
class QTabWidget;
class QWidget;

namespace vantrelo {

struct TSetupField;
struct TSettings;

enum class TSetupTab { Keywords, Settings, About };

// Where the dialog was when it closed, so that it reopens there during this run.
struct TSetupPlace {
    int tab = -1; // -1: never opened
    int page = 0;
    QByteArray geometry;
};

// What the dialog's controls do at once, outside the record.
struct TSetupActions {
    // "Start when I log in." / "Open with": makes or removes the desktop entry; false with `error`.
    std::function<bool(const QString& key, bool on, QString* error)> immediate;
    // The opacity sliders move the input window's opacity live.
    std::function<void(const QString& key, int value)> opacity;
    // Reset to defaults: the record as it is after the reset.
    std::function<TSettings()> resetDefaults;
    // A check box of the pages changed (a choice shown elsewhere in the dialog follows it).
    std::function<void(const QString& key, bool on)> checked;
    // Asked before the dialog closes (unapplied keyword edits); false keeps it open.
    std::function<bool()> beforeClose;
    // Buttons beside a key's control that act at once ("Clear" beside the clipboard's hours).
    struct TButton {
        QString key;
        QString caption;
        // Gets the control's present value; a value it gives back becomes the control's.
        std::function<std::optional<QVariant>(const QVariant& value)> run;
    };
    std::vector<TButton> buttons;
    // Buttons under "Default settings" that change many settings at once (the wizards): `run`
    // takes the controls into the settings, changes them and fills `model` again; true then.
    struct TFormButton {
        QString caption;
        QString name;
        std::function<bool(TSetupModel& model)> run;
    };
    std::vector<TFormButton> formButtons;
    // A live line at the top of a page (the index's size), read again every second; a click on
    // it runs `clicked`.
    struct TPageLabel {
        QString page;
        QString name;
        std::function<QString()> text;
        std::function<void()> clicked;
    };
    std::vector<TPageLabel> labels;
    // A list on a page, filled again whenever the page is shown (the keywords a web page may
    // connect to); a click on an entry runs `chosen` with its row.
    struct TPageList {
        QString page;
        QString name;
        QString caption;
        std::function<QStringList()> entries;
        std::function<void(int row)> chosen;
    };
    std::vector<TPageList> lists;
};

class TSetupForm final : public QDialog {
    Q_OBJECT
public:
    TSetupForm(TSetupModel& model, TSetupActions actions, const QString& aboutText, QWidget* parent = nullptr);

    // The Keywords tab's content, owned by the dialog from then on.
    void SetKeywordsPage(QWidget* page);
    void OpenOn(TSetupTab tab, const QString& page = QString());
    void Restore(const TSetupPlace& place);
    TSetupPlace Place() const;
    // SetSettings's second half: every control shows the model's value.
    void Fill();
    // The reset with its confirmation; true when the settings were reset.
    bool ResetToDefaults();
    // A page shown in the place of the three tabs (the import page), until LeaveSidePage gives it
    // back without a parent and shows the "Keywords" tab again.
    void ShowSidePage(QWidget* page, const QString& caption);
    void LeaveSidePage();
    QWidget* SidePage() const { return side_; }

    void done(int result) override;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QWidget* BuildSettingsTab();
    QWidget* BuildPage(const QString& page);
    // `control` with the buttons the actions put beside `key`'s control.
    QWidget* WithButtons(const QString& key, QWidget* control);
    QWidget* BuildControl(const TSetupField& f, QWidget* parent);
    void ApplyTemplate(int darkmode);
    // The list's "Indexed items" source on (`dropprograms`).
    void ShowIndexedItemsInList();

    TSetupModel& model_;
    TSetupActions actions_;
    QTabWidget* tabs_;
    QListWidget* pages_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    QPointer<QWidget> side_;
    std::vector<std::function<void()>> fillers_; // one per control: shows the model's value
    std::vector<std::function<void()>> listFillers_; // the page lists' entries, read again
};

} // namespace vantrelo
