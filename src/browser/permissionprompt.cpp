// The "Permission required" dialog of the embedded browser.
#include "browser/permissionprompt.h"

#include <QMessageBox>
#include <QPushButton>

namespace vantrelo {

int TQtPermissionPrompt::Ask(const QString& text, bool withAlways) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Permission required"), text, QMessageBox::NoButton,
                    parent_);
    box.setObjectName(QStringLiteral("PermissionPrompt"));
    QPushButton* once = box.addButton(withAlways ? QStringLiteral(" Allow once ") : QStringLiteral("Allow"),
                                      QMessageBox::AcceptRole);
    QPushButton* always = withAlways ? box.addButton(QStringLiteral(" Always allow "), QMessageBox::AcceptRole) : nullptr;
    QPushButton* no = box.addButton(withAlways ? QStringLiteral(" Don't allow ") : QStringLiteral("Don't allow"),
                                    QMessageBox::RejectRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    if (box.clickedButton() == once)
        return 1;
    if (always && box.clickedButton() == always)
        return 2;
    return 0;
}

} // namespace vantrelo
