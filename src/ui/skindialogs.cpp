// The dialogs of choosing and saving skins, behind an interface that tests script.
#include "ui/skindialogs.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QVBoxLayout>

#include <vector>

namespace vantrelo {

QString TQtSkinDialogs::OpenSkin(const QString& startFolder) {
    return QFileDialog::getOpenFileName(parent_, QStringLiteral("Open skin"), startFolder,
                                        QStringLiteral("Skin files (*.skn *.zip)"));
}

std::optional<TSkinSaveGroups> TQtSkinDialogs::AskSaveGroups() {
    QDialog dialog(parent_);
    dialog.setWindowTitle(QStringLiteral("Vantrelo"));
    auto* column = new QVBoxLayout(&dialog);
    column->addWidget(new QLabel(SkinSavePrompt(), &dialog));
    std::vector<QCheckBox*> boxes;
    for (const QString& name : SkinSaveGroupNames()) {
        boxes.push_back(new QCheckBox(name, &dialog));
        column->addWidget(boxes.back());
    }
    auto* note = new QLabel(SkinSaveNote(), &dialog);
    note->setWordWrap(true);
    column->addWidget(note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    column->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted || boxes.size() < 8)
        return std::nullopt;
    TSkinSaveGroups g;
    bool* flags[] = {&g.colours, &g.displayStyle, &g.width, &g.picture, &g.transparency, &g.icon, &g.listButton, &g.font};
    for (size_t i = 0; i < 8; ++i)
        *flags[i] = boxes[i]->isChecked();
    return g;
}

QString TQtSkinDialogs::SaveSkinFile(const QString& startFolder) {
    QString path = QFileDialog::getSaveFileName(parent_, QStringLiteral("Save visual settings as skin"), startFolder,
                                                QStringLiteral("Skin files (*.skn)"));
    if (!path.isEmpty() && !path.endsWith(QLatin1String(".skn"), Qt::CaseInsensitive))
        path += QLatin1String(".skn");
    return path;
}

} // namespace vantrelo
