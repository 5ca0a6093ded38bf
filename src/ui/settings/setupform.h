// The settings dialog: the tabs "Keywords", "Settings" (pages built from the field table) and "About".
#pragma once

#include "ui/settings/setupmodel.h"

#include <QByteArray>
#include <QDialog>

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

    TSetupModel& model_;
    TSetupActions actions_;
    QTabWidget* tabs_;
    QListWidget* pages_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    std::vector<std::function<void()>> fillers_; // one per control: shows the model's value
};

} // namespace vantrelo
