// The wizard's one page of options; the display styles page is passed at once, Scale being the only style.
#include "ui/wizardform.h"

#include "core/settings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <optional>

namespace vantrelo {
namespace {

// A group of radio buttons with an id each; the checked one is `checked`.
QButtonGroup* RadioGroup(QWidget* owner, QVBoxLayout* page, const QString& title,
                         const std::vector<std::pair<QString, QString>>& options, int checked) {
    auto* box = new QGroupBox(title, owner);
    auto* layout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(owner);
    for (int i = 0; i < int(options.size()); ++i) {
        auto* radio = new QRadioButton(options[size_t(i)].first, box);
        radio->setObjectName(options[size_t(i)].second);
        radio->setChecked(i == checked);
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    page->addWidget(box);
    return group;
}

} // namespace

TWizardForm::TWizardForm(const TSettings& settings, const QString& dataFolder, bool fromSettings, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Vantrelo - Configuration wizard"));
    setObjectName(QStringLiteral("WizardForm"));
    auto* page = new QVBoxLayout(this);
    auto* head = new QLabel(QStringLiteral("Vantrelo can be configured in many ways, this wizard is just to give you a "
                                           "quick start. Also you can run this wizard again later."),
                            this);
    head->setWordWrap(true);
    page->addWidget(head);
    auto* hotkey = new QLabel(WizardHotkeyText(settings), this);
    hotkey->setObjectName(QStringLiteral("HotkeyLabel"));
    hotkey->setWordWrap(true);
    page->addWidget(hotkey);

    rows_ = RadioGroup(this, page, QStringLiteral("Size of each row item in list."),
                       {{QStringLiteral("Large rows (32x32 icons)."), QStringLiteral("RadioRow1")},
                        {QStringLiteral("Compact rows (16x16 icons)."), QStringLiteral("RadioRow2")}},
                       0);
    search_ = RadioGroup(this, page, QStringLiteral("Search type(s)"),
                         {{QStringLiteral("Short-form and \"words starts with\""), QStringLiteral("RadioSearch1")},
                          {QStringLiteral("Words starts with.."), QStringLiteral("RadioSearch2")},
                          {QStringLiteral("Text contains.."), QStringLiteral("RadioSearch3")},
                          {QStringLiteral("Short-form detection and \"text contains\""), QStringLiteral("RadioSearch4")}},
                         3);
    usage_ = RadioGroup(
        this, page, QStringLiteral("Usage type."),
        {{QStringLiteral("I prefer a balance of automatic indexed items and also having keywords for more control."),
          QStringLiteral("RadioUser1")},
         {QStringLiteral("I prefer Vantrelo to find programs etc. for me, and not having to fiddle with keywords."),
          QStringLiteral("RadioUser2")},
         {QStringLiteral("I only prefer keywords and don't want automatic indexing."), QStringLiteral("RadioUser3")}},
        0);

    auto* misc = new QGroupBox(QStringLiteral("Misc options."), this);
    auto* miscLayout = new QVBoxLayout(misc);
    miscLayout->addWidget(new QLabel(QStringLiteral("List (history && suggestions) should:").replace(
                                         QLatin1String("&&"), QLatin1String("&")),
                                     misc));
    list_ = new QComboBox(misc);
    list_->setObjectName(QStringLiteral("ListShowCombo"));
    list_->addItems({QStringLiteral("Always be shown"), QStringLiteral("Only when I type something"),
                     QStringLiteral("Only when I open it myself")});
    miscLayout->addWidget(list_);
    betterPerformance_ = new QCheckBox(QStringLiteral("Better performance at the cost of more memory usage."), misc);
    betterPerformance_->setObjectName(QStringLiteral("BetterPerfBox"));
    betterPerformance_->setChecked(true);
    miscLayout->addWidget(betterPerformance_);
    portable_ = new QCheckBox(QStringLiteral("This is a portable install."), misc);
    portable_->setObjectName(QStringLiteral("PortableBox"));
    portable_->setVisible(WizardOffersPortable(dataFolder));
    miscLayout->addWidget(portable_);
    page->addWidget(misc);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("OptionsOkButton"));
    ok->setDefault(true);
    if (fromSettings)
        buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("OptionsCancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    page->addWidget(buttons);
}

TWizardChoices TWizardForm::Choices() const {
    TWizardChoices c;
    c.rows = TWizardRows(rows_->checkedId());
    c.search = TWizardSearch(search_->checkedId());
    c.usage = TWizardUsage(usage_->checkedId());
    c.list = TWizardList(list_->currentIndex());
    c.betterPerformance = betterPerformance_->isChecked();
    c.portable = !portable_->isHidden() && portable_->isChecked();
    return c;
}

std::optional<QString> RunAppWizard(TSettings& settings, const QString& dataFolder, bool fromSettings,
                                     QWidget* parent) {
    TWizardForm wizard(settings, dataFolder, fromSettings, parent);
    if (settings.stayontop)
        wizard.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (wizard.exec() != QDialog::Accepted)
        return std::nullopt;
    return ApplyWizardChoices(settings, wizard.Choices());
}

} // namespace vantrelo
