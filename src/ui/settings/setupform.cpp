// The settings dialog's widgets: each control is made from its field's kind and bound to the model.
#include "ui/settings/setupform.h"

#include "core/settings.h"
#include "platform/hotkeys/hotkeytext.h"
#include "index/indexfiles.h"
#include "ui/settings/scanfolders.h"
#include "ui/settings/setupfields.h"
#include "ui/widgetkit.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTimer>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vantrelo {

namespace {

// The hotkey field takes the next key pressed in it; Tab keeps its usual meaning, Backspace and
// Delete clear it, and Esc (a key a user may try) neither becomes the hotkey nor cancels the dialog.
class THotkeyField final : public QLineEdit {
public:
    THotkeyField(std::function<void(int vk)> taken, QWidget* parent) : QLineEdit(parent), taken_(std::move(taken)) {
        setReadOnly(true);
    }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        const int key = e->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            QLineEdit::keyPressEvent(e);
            return;
        }
        if (key == Qt::Key_Escape) {
            e->accept();
            return;
        }
        if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
            taken_(0);
            return;
        }
        int vk = 0, mods = 0;
        if (ParseHotkeyText(QKeySequence(key).toString(QKeySequence::PortableText), vk, mods) && vk > 0)
            taken_(vk);
    }

private:
    std::function<void(int)> taken_;
};

int ToBgr(const QColor& c) { return c.red() | c.green() << 8 | c.blue() << 16; }

void ShowColour(QPushButton* b, int bgr) {
    b->setText(Bgr(bgr).name());
    b->setStyleSheet(QStringLiteral("background-color: %1").arg(Bgr(bgr).name()));
}

} // namespace

TSetupForm::TSetupForm(TSetupModel& model, TSetupActions actions, const QString& aboutText, QWidget* parent)
    : QDialog(parent), model_(model), actions_(std::move(actions)) {
    setObjectName(QStringLiteral("SetupForm"));
    setWindowTitle(QStringLiteral("Vantrelo Settings"));
    tabs_ = new QTabWidget(this);
    tabs_->addTab(new QWidget, QStringLiteral("Keywords"));
    tabs_->addTab(BuildSettingsTab(), QStringLiteral("Settings"));
    auto* about = new QLabel(aboutText);
    about->setObjectName(QStringLiteral("AboutText"));
    about->setAlignment(Qt::AlignCenter);
    about->setTextInteractionFlags(Qt::TextSelectableByMouse);
    tabs_->addTab(about, QStringLiteral("About"));

    // The lists that show the keywords are read again each time the settings tab comes up.
    connect(tabs_, &QTabWidget::currentChanged, this, [this] {
        for (const auto& fill : listFillers_)
            fill();
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    // Enter stays in the keyword editor's fields, so OK has a key of its own: Alt+O.
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&OK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
    resize(S(this, 800), S(this, 680));
    Fill();
    ApplyTemplate(model_.Value(QStringLiteral("darkmode")).toInt());
}

void TSetupForm::SetKeywordsPage(QWidget* page) {
    const bool current = tabs_->currentIndex() == 0;
    delete tabs_->widget(0);
    tabs_->insertTab(0, page, QStringLiteral("Keywords"));
    if (current)
        tabs_->setCurrentIndex(0);
}

QWidget* TSetupForm::BuildSettingsTab() {
    auto* tab = new QWidget;
    pages_ = new QListWidget(tab);
    pages_->setObjectName(QStringLiteral("SettingsPages"));
    stack_ = new QStackedWidget(tab);
    stack_->setObjectName(QStringLiteral("SettingsStack"));
    for (const QString& page : SetupPages()) {
        pages_->addItem(page);
        stack_->addWidget(BuildPage(page));
    }
    pages_->setFixedWidth(S(this, 210));
    connect(pages_, &QListWidget::currentRowChanged, stack_, &QStackedWidget::setCurrentIndex);
    connect(pages_, &QListWidget::currentRowChanged, this, [this] {
        for (const auto& fill : listFillers_)
            fill();
    });
    pages_->setCurrentRow(0);

    auto* defaults = new QPushButton(QStringLiteral("Default settings"), tab);
    defaults->setObjectName(QStringLiteral("DefaultsButton"));
    connect(defaults, &QPushButton::clicked, this, [this] { ResetToDefaults(); });
    auto* left = new QVBoxLayout;
    left->addWidget(pages_);
    left->addWidget(defaults);
    for (const TSetupActions::TFormButton& b : actions_.formButtons) {
        auto* button = new QPushButton(b.caption, tab);
        button->setObjectName(b.name);
        connect(button, &QPushButton::clicked, this, [this, run = b.run] {
            if (!run || !run(model_))
                return;
            Fill();
            ApplyTemplate(model_.Value(QStringLiteral("darkmode")).toInt());
        });
        left->addWidget(button);
    }
    auto* row = new QHBoxLayout(tab);
    row->addLayout(left);
    row->addWidget(stack_, 1);
    return tab;
}

QWidget* TSetupForm::BuildPage(const QString& page) {
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    auto* body = new QWidget;
    auto* form = new QFormLayout(body);
    // Wordings are long sentences: each sits above its control.
    form->setRowWrapPolicy(QFormLayout::WrapAllRows);
    for (const TSetupActions::TPageLabel& l : actions_.labels) {
        if (l.page != page || !l.text)
            continue;
        auto* label = new QLabel(body);
        label->setObjectName(l.name);
        auto show = [label, text = l.text] { label->setText(QStringLiteral("<a href=\"#\">") + text().toHtmlEscaped() + QStringLiteral("</a>")); };
        show();
        auto* timer = new QTimer(label);
        connect(timer, &QTimer::timeout, label, show);
        timer->start(1000);
        if (l.clicked)
            connect(label, &QLabel::linkActivated, this, [clicked = l.clicked] { clicked(); });
        form->addRow(label);
    }
    for (const TSetupActions::TPageList& l : actions_.lists) {
        if (l.page != page || !l.entries)
            continue;
        auto* list = new QListWidget(body);
        list->setObjectName(l.name);
        list->setMaximumHeight(S(this, 110));
        listFillers_.push_back([list, entries = l.entries] {
            list->clear();
            list->addItems(entries());
        });
        if (l.chosen)
            connect(list, &QListWidget::itemClicked, this,
                    [list, chosen = l.chosen](QListWidgetItem* item) { chosen(list->row(item)); });
        auto* caption = new QLabel(l.caption, body);
        caption->setWordWrap(true);
        form->addRow(caption, list);
    }
    for (const TSetupField& f : SetupFields()) {
        if (page != QLatin1String(f.page))
            continue;
        QWidget* control = WithButtons(QLatin1String(f.key), BuildControl(f, body));
        const QString tip = f.tip ? QString::fromUtf8(f.tip) : QString();
        control->setToolTip(tip);
        const bool boxCarriesWording = f.control == TControl::Check || f.control == TControl::InverseCheck ||
                                       f.control == TControl::Immediate || f.control == TControl::NotesLocation;
        if (boxCarriesWording)
            form->addRow(control);
        else {
            auto* label = new QLabel(QString::fromUtf8(f.wording), body);
            // A wrapped label of a wrapped form row breaks after a few words even when short.
            label->setWordWrap(label->text().size() > 60);
            label->setToolTip(tip);
            label->setBuddy(control);
            form->addRow(label, control);
        }
    }
    scroll->setWidget(body);
    return scroll;
}

QWidget* TSetupForm::WithButtons(const QString& key, QWidget* control) {
    QHBoxLayout* row = nullptr;
    QWidget* box = control;
    for (const TSetupActions::TButton& b : actions_.buttons) {
        if (b.key != key)
            continue;
        if (!row) {
            box = new QWidget(control->parentWidget());
            row = new QHBoxLayout(box);
            row->setContentsMargins(0, 0, 0, 0);
            control->setParent(box);
            row->addWidget(control, 1);
        }
        auto* button = new QPushButton(b.caption, box);
        button->setObjectName(key + QLatin1String(".button"));
        connect(button, &QPushButton::clicked, this, [this, key, run = b.run] {
            if (const std::optional<QVariant> now = run(model_.Value(key))) {
                model_.Set(key, *now);
                // A location given by a button is no longer the default one.
                if (model_.Value(key + QLatin1String(".default")).isValid())
                    model_.Set(key + QLatin1String(".default"), now->toString().isEmpty());
                Fill();
            }
        });
        row->addWidget(button);
    }
    return box;
}

QWidget* TSetupForm::BuildControl(const TSetupField& f, QWidget* parent) {
    const QString key = QLatin1String(f.key);
    const QString wording = QString::fromUtf8(f.wording);
    auto set = [this, key](const QVariant& v) { model_.Set(key, v); };
    switch (f.control) {
    case TControl::Check:
    case TControl::InverseCheck:
    case TControl::Immediate: {
        auto* box = new QCheckBox(wording, parent);
        box->setObjectName(key);
        connect(box, &QCheckBox::toggled, this, [this, set, key](bool on) {
            set(on);
            if (actions_.checked)
                actions_.checked(key, on);
        });
        if (f.control == TControl::Immediate)
            connect(box, &QCheckBox::clicked, this, [this, box, key](bool on) {
                QString error;
                if (actions_.immediate && !actions_.immediate(key, on, &error)) {
                    box->setChecked(!on);
                    QMessageBox::warning(this, QStringLiteral("Warning"), error);
                }
            });
        fillers_.push_back([this, box, key] { box->setChecked(model_.Value(key).toBool()); });
        // Indexing the menus is of no use unless the list shows indexed items: that goes on too.
        if (key == QLatin1String("scanwindowsitems"))
            connect(box, &QCheckBox::clicked, this, [this](bool on) {
                if (on)
                    ShowIndexedItemsInList();
            });
        return box;
    }
    case TControl::Number:
    case TControl::Text:
    case TControl::TrimmedText: {
        auto* edit = new QLineEdit(parent);
        edit->setObjectName(key);
        connect(edit, &QLineEdit::textEdited, this, [this, set, key](const QString& t) {
            set(t);
            // The re-index entries name these minutes.
            if (key == QLatin1String("indexidle"))
                Fill();
        });
        fillers_.push_back([this, edit, key] {
            if (edit->text() != model_.Value(key).toString())
                edit->setText(model_.Value(key).toString());
        });
        return edit;
    }
    case TControl::ScanFolders: {
        auto* folders = new TScanFoldersEdit(parent);
        folders->setObjectName(key);
        connect(folders, &TScanFoldersEdit::Changed, this, [set, folders] { set(FormatScanFolders(folders->Items())); });
        fillers_.push_back([this, folders, key] { folders->SetItems(ParseScanFolders(model_.Value(key).toString())); });
        return folders;
    }
    case TControl::Choice:
    case TControl::Centre: {
        auto* combo = new QComboBox(parent);
        combo->setObjectName(key);
        // Long entries never widen the page beyond the dialog; the open list shows them whole.
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(20);
        if (f.control == TControl::Centre)
            combo->addItems(model_.CentreEntries());
        else
            for (const auto& [value, text] : f.choices)
                combo->addItem(QString::fromUtf8(text));
        connect(combo, &QComboBox::activated, this, [this, set, key](int i) {
            set(i);
            if (key == QLatin1String("darkmode")) {
                ApplyTemplate(model_.Value(key).toInt());
                OpenOn(TSetupTab::Settings, QStringLiteral("General"));
            }
        });
        fillers_.push_back([this, combo, key, f] {
            if (f.control == TControl::Choice)
                for (int i = 0; i < combo->count() && size_t(i) < f.choices.size(); ++i)
                    combo->setItemText(i, WithIdleMinutes(QString::fromUtf8(f.choices[size_t(i)].second),
                                                          model_.Value(QStringLiteral("indexidle")).toInt()));
            combo->setCurrentIndex(model_.Value(key).toInt());
        });
        return combo;
    }
    case TControl::InfoSyntax: {
        auto* combo = new QComboBox(parent);
        combo->setObjectName(key);
        combo->setEditable(true);
        combo->addItems({TSetupModel::InfoSyntaxEntry(0), TSetupModel::InfoSyntaxEntry(1)});
        connect(combo, &QComboBox::currentTextChanged, this, [set](const QString& t) { set(t); });
        fillers_.push_back([this, combo, key] { combo->setCurrentText(model_.Value(key).toString()); });
        return combo;
    }
    case TControl::Colour: {
        auto* button = new QPushButton(parent);
        button->setObjectName(key);
        connect(button, &QPushButton::clicked, this, [this, button, key] {
            const QColor c = QColorDialog::getColor(Bgr(model_.Value(key).toInt()), this);
            if (!c.isValid())
                return;
            model_.Set(key, ToBgr(c));
            ShowColour(button, ToBgr(c));
        });
        fillers_.push_back([this, button, key] { ShowColour(button, model_.Value(key).toInt()); });
        return button;
    }
    case TControl::Slider: {
        auto* slider = new QSlider(Qt::Horizontal, parent);
        slider->setObjectName(key);
        slider->setRange(0, 255);
        connect(slider, &QSlider::valueChanged, this, [this, set, key](int v) {
            set(v);
            if (actions_.opacity)
                actions_.opacity(key, v);
        });
        fillers_.push_back([this, slider, key] {
            const QSignalBlocker quiet(slider);
            slider->setValue(model_.Value(key).toInt());
        });
        return slider;
    }
    case TControl::Font: {
        auto* button = new QPushButton(parent);
        button->setObjectName(key);
        auto show = [this, button, key] {
            button->setText(model_.Value(key).toString() + QStringLiteral(", ") +
                            QString::number(model_.Value(key + QLatin1String(".size")).toInt()));
        };
        connect(button, &QPushButton::clicked, this, [this, key, show] {
            QFont current(model_.Value(key).toString(), model_.Value(key + QLatin1String(".size")).toInt());
            current.setBold(model_.Value(key + QLatin1String(".bold")).toBool());
            bool ok = false;
            const QFont font = QFontDialog::getFont(&ok, current, this);
            if (!ok)
                return;
            model_.Set(key, font.family());
            model_.Set(key + QLatin1String(".size"), font.pointSize());
            model_.Set(key + QLatin1String(".bold"), font.bold());
            show();
        });
        fillers_.push_back(show);
        return button;
    }
    case TControl::NotesLocation: {
        auto* box = new QWidget(parent);
        auto* useDefault = new QCheckBox(wording, box);
        useDefault->setObjectName(key + QLatin1String(".default"));
        auto* edit = new QLineEdit(box);
        edit->setObjectName(key);
        auto* column = new QVBoxLayout(box);
        column->setContentsMargins(0, 0, 0, 0);
        column->addWidget(useDefault);
        column->addWidget(edit);
        connect(useDefault, &QCheckBox::toggled, this, [this, key, edit](bool on) {
            model_.Set(key + QLatin1String(".default"), on);
            edit->setEnabled(!on);
        });
        connect(edit, &QLineEdit::textEdited, this, [set](const QString& t) { set(t); });
        fillers_.push_back([this, key, useDefault, edit] {
            useDefault->setChecked(model_.Value(key + QLatin1String(".default")).toBool());
            edit->setEnabled(!useDefault->isChecked());
            edit->setText(model_.Value(key).toString());
        });
        return box;
    }
    case TControl::Order: {
        auto* list = new QListWidget(parent);
        list->setObjectName(key);
        list->setDragDropMode(QAbstractItemView::InternalMove);
        list->setMaximumHeight(S(this, 100));
        auto take = [this, list, key] {
            QList<TOrderEntry> entries;
            for (int i = 0; i < list->count(); ++i)
                entries.push_back({list->item(i)->text(), list->item(i)->checkState() == Qt::Checked});
            model_.SetOrder(key, entries);
        };
        connect(list, &QListWidget::itemChanged, this, take);
        connect(list->model(), &QAbstractItemModel::rowsMoved, this, take);
        fillers_.push_back([this, list, key] {
            const QSignalBlocker quiet(list);
            list->clear();
            for (const TOrderEntry& e : model_.Order(key)) {
                auto* item = new QListWidgetItem(e.name, list);
                item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
                item->setCheckState(e.checked ? Qt::Checked : Qt::Unchecked);
            }
        });
        return list;
    }
    case TControl::Hotkey: {
        auto* box = new QWidget(parent);
        auto* row = new QHBoxLayout(box);
        row->setContentsMargins(0, 0, 0, 0);
        auto* field = new THotkeyField(
            [this, key](int vk) {
                model_.Set(key, vk);
                Fill();
            },
            box);
        field->setObjectName(key);
        row->addWidget(field);
        for (const auto& [name, bit] : kHotkeyModifiers) {
            const QString sub = key + u'.' + QLatin1String(name);
            auto* mod = new QCheckBox(QLatin1String(name), box);
            mod->setObjectName(sub);
            connect(mod, &QCheckBox::toggled, this, [this, sub](bool on) { model_.Set(sub, on); });
            fillers_.push_back([this, mod, sub] { mod->setChecked(model_.Value(sub).toBool()); });
            row->addWidget(mod);
        }
        fillers_.push_back([this, field, key] {
            const int vk = model_.Value(key).toInt();
            field->setText(vk > 0 ? KeyName(vk) : QString());
        });
        return box;
    }
    }
    return new QWidget(parent);
}

void TSetupForm::Fill() {
    for (const auto& fill : fillers_)
        fill();
    for (const auto& fill : listFillers_)
        fill();
}

void TSetupForm::ShowIndexedItemsInList() {
    QList<TOrderEntry> order = model_.Order(QStringLiteral("comboorder"));
    for (TOrderEntry& e : order)
        if (e.name == QLatin1String("Indexed items"))
            e.checked = true;
    model_.SetOrder(QStringLiteral("comboorder"), order);
    Fill();
}

bool TSetupForm::ResetToDefaults() {
    if (QMessageBox::question(this, QStringLiteral("Confirm"),
                              QStringLiteral("Are you sure you want to set all settings to default ?"),
                              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return false;
    if (!actions_.resetDefaults)
        return false;
    model_.SetSettings(actions_.resetDefaults());
    Fill();
    ApplyTemplate(model_.Value(QStringLiteral("darkmode")).toInt());
    return true;
}

void TSetupForm::ApplyTemplate(int choice) {
    // The choice's index is the template's value.
    const TColourTemplate* t = TemplateFor(choice);
    QPalette p = QDialog::style()->standardPalette();
    if (t) {
        p.setColor(QPalette::Window, QColor(QRgb(t->a)));
        p.setColor(QPalette::Button, QColor(QRgb(t->a)));
        p.setColor(QPalette::AlternateBase, QColor(QRgb(t->b)));
        p.setColor(QPalette::Base, QColor(QRgb(t->c)));
    }
    setPalette(p);
}

void TSetupForm::OpenOn(TSetupTab tab, const QString& page) {
    tabs_->setCurrentIndex(int(tab));
    if (page.isEmpty())
        return;
    const auto found = pages_->findItems(page, Qt::MatchExactly);
    if (!found.isEmpty())
        pages_->setCurrentItem(found.front());
}

void TSetupForm::Restore(const TSetupPlace& place) {
    if (place.tab < 0)
        return;
    tabs_->setCurrentIndex(place.tab);
    pages_->setCurrentRow(place.page);
    restoreGeometry(place.geometry);
}

TSetupPlace TSetupForm::Place() const {
    return {side_ ? 0 : tabs_->currentIndex(), pages_->currentRow(), saveGeometry()};
}

void TSetupForm::ShowSidePage(QWidget* page, const QString& caption) {
    if (side_ != page) {
        LeaveSidePage();
        side_ = page;
        tabs_->addTab(page, caption);
    }
    for (int i = 0; i <= int(TSetupTab::About); ++i)
        tabs_->setTabVisible(i, false);
    tabs_->setCurrentWidget(page);
}

void TSetupForm::LeaveSidePage() {
    if (!side_)
        return;
    if (const int i = tabs_->indexOf(side_); i >= 0)
        tabs_->removeTab(i);
    side_->setParent(nullptr);
    side_ = nullptr;
    for (int i = 0; i <= int(TSetupTab::About); ++i)
        tabs_->setTabVisible(i, true);
    tabs_->setCurrentIndex(int(TSetupTab::Keywords));
}

void TSetupForm::done(int result) {
    // A number outside its setting's range is refused with the range, never clamped in silence.
    if (const QStringList wrong = model_.OutOfRange(); result == QDialog::Accepted && !wrong.isEmpty()) {
        QMessageBox::warning(this, QStringLiteral("Warning"), wrong.join(u'\n'));
        return;
    }
    if (actions_.beforeClose && !actions_.beforeClose())
        return;
    QDialog::done(result);
}

void TSetupForm::closeEvent(QCloseEvent* e) {
    // Closing the window takes the settings, like OK; only Cancel and Esc discard them.
    e->ignore();
    accept();
}

} // namespace vantrelo
