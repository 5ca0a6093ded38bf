// The keyword's icon in the detail panel: shown, its hint, and the ways to choose or reset it.
#include "ui/settings/iconchoice.h"

#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QStyle>

namespace vantrelo {

namespace {

// A custom icon is a picture file or, without a folder, a name of the icon theme.
bool IsThemeName(const QString& path) {
    return !path.contains(u'/');
}

QIcon CommandIcon(const QString& command) {
    const QString target = command.trimmed();
    if (QFileInfo(target).isAbsolute() && QFileInfo::exists(target))
        return QFileIconProvider().icon(QFileInfo(target));
    return QIcon::fromTheme(QStringLiteral("system-run"));
}

} // namespace

QString IconHint(const QString& iconpath, int iconidx, bool fileFound) {
    if (iconpath.isEmpty())
        return QStringLiteral("No custom icon set, icon is extracted from its keyword command (context or file)");
    QString hint = QStringLiteral("Custom icon set: ") + iconpath;
    if (iconidx != 0)
        hint += QStringLiteral(" (icon index=") + QString::number(iconidx) + u')';
    if (!fileFound)
        hint += QStringLiteral(" - File not found, fallback to default icon for type");
    return hint;
}

TIconChoice::TIconChoice(TIconChoiceHost host, std::function<void()> changed, QWidget* parent)
    : QToolButton(parent), host_(std::move(host)), changed_(std::move(changed)) {
    setObjectName(QStringLiteral("keyicon"));
    setAutoRaise(true);
    setIconSize(QSize(32, 32));
    options_ = new QToolButton(parent);
    options_->setObjectName(QStringLiteral("IconOptionsButton"));
    options_->setText(QStringLiteral("icon options"));
    options_->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(options_);
    menu->setObjectName(QStringLiteral("IconPopupMenu"));
    connect(menu->addAction(QStringLiteral("Change icon")), &QAction::triggered, this, &TIconChoice::ChangeIcon);
    connect(menu->addAction(QStringLiteral("Edit icon path")), &QAction::triggered, this, &TIconChoice::EditIconPath);
    connect(menu->addAction(QStringLiteral("Reset icon")), &QAction::triggered, this, &TIconChoice::ResetIcon);
    connect(menu->addAction(QStringLiteral("Get icon from indexed item name")), &QAction::triggered, this,
            &TIconChoice::FromIndexedItem);
    options_->setMenu(menu);
}

void TIconChoice::Show(const QString& iconpath, int iconidx, const QString& command) {
    path_ = iconpath;
    index_ = iconidx;
    command_ = command;
    Refresh();
}

void TIconChoice::Refresh() {
    const QString expanded = host_.expand ? host_.expand(path_) : path_;
    const bool theme = !path_.isEmpty() && IsThemeName(path_) && QIcon::hasThemeIcon(path_);
    const bool found = path_.isEmpty() || theme || QFileInfo::exists(expanded);
    QIcon icon;
    if (theme)
        icon = QIcon::fromTheme(path_);
    else if (!path_.isEmpty() && found)
        icon = QIcon(expanded);
    if (icon.isNull())
        icon = CommandIcon(command_);
    if (icon.isNull())
        icon = style()->standardIcon(QStyle::SP_FileIcon);
    setIcon(icon);
    setToolTip(IconHint(path_, index_, found));
}

void TIconChoice::Set(const QString& path, int index) {
    path_ = path;
    index_ = index;
    Refresh();
    if (changed_)
        changed_();
}

void TIconChoice::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        ChangeIcon();
    else if (e->button() == Qt::RightButton)
        EditIconPath();
    else
        QToolButton::mouseReleaseEvent(e);
}

void TIconChoice::ChangeIcon() {
    const QString start = path_.isEmpty() || IsThemeName(path_) ? QString() : host_.expand ? host_.expand(path_) : path_;
    const QString file = QFileDialog::getOpenFileName(
        this, QStringLiteral("Change icon"), start,
        QStringLiteral("Pictures (*.png *.svg *.svgz *.xpm *.ico *.jpg *.jpeg *.bmp);;All files (*)"));
    if (!file.isEmpty())
        Set(file, 0);
}

void TIconChoice::EditIconPath() {
    bool ok = false;
    const QString path = QInputDialog::getText(this, QStringLiteral("Edit icon path"), QStringLiteral("Icon path:"),
                                               QLineEdit::Normal, path_, &ok);
    if (!ok)
        return;
    const QString indexText =
        QInputDialog::getText(this, QStringLiteral("Edit icon index"), QStringLiteral("Icon index (usually 0):"),
                              QLineEdit::Normal, QString::number(index_), &ok);
    int index = index_;
    if (ok) {
        bool number = false;
        const int typed = indexText.trimmed().toInt(&number);
        if (indexText.trimmed().isEmpty())
            index = 0;
        else if (number)
            index = typed;
    }
    Set(path.trimmed(), index);
}

void TIconChoice::ResetIcon() {
    if (path_.isEmpty())
        QMessageBox::information(this, QStringLiteral("Reset icon"),
                                 QStringLiteral("No custom icon to reset. This keyword uses the default icon extracted "
                                                "from its command (context or file)."));
    Set(QString(), 0);
}

void TIconChoice::FromIndexedItem() {
    bool ok = false;
    const QString name =
        QInputDialog::getText(this, QStringLiteral("Get icon from indexed item name"),
                              QStringLiteral("Indexed item name:"), QLineEdit::Normal, command_, &ok).trimmed();
    if (!ok || name.isEmpty())
        return;
    const std::optional<QString> icon = host_.indexedIcon ? host_.indexedIcon(name) : std::nullopt;
    if (!icon) {
        QMessageBox::information(this, QStringLiteral("Get icon from indexed item name"),
                                 QStringLiteral("No indexed item found by that name (") + name + QStringLiteral(")."));
        return;
    }
    Set(*icon, 0);
}

} // namespace vantrelo
