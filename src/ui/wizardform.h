// The configuration wizard: four questions that set a coherent profile for a new user.
#pragma once

#include "ui/wizardlogic.h"

#include <QDialog>

#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;

namespace vantrelo {

struct TSettings;

class TWizardForm final : public QDialog {
    Q_OBJECT
public:
    // `fromSettings`: opened by the settings dialog, which offers Cancel; the first start does not.
    TWizardForm(const TSettings& settings, const QString& dataFolder, bool fromSettings, QWidget* parent = nullptr);

    TWizardChoices Choices() const;

private:
    QButtonGroup* rows_;
    QButtonGroup* search_;
    QButtonGroup* usage_;
    QComboBox* list_;
    QCheckBox* betterPerformance_;
    QCheckBox* portable_;
};

// Runs the wizard; the skin file to apply when it ended with OK (the settings then hold the
// profile), nothing when it was cancelled (the settings are untouched).
std::optional<QString> RunAppWizard(TSettings& settings, const QString& dataFolder, bool fromSettings,
                                     QWidget* parent = nullptr);

} // namespace vantrelo
