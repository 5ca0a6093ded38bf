// The questions of moving the notes to another file, as Qt dialogs.
#include "ui/notesdialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace vantrelo {

namespace {

class TQtNotesDialogs final : public TNotesDialogs {
public:
    QString ChooseFile(QWidget* parent, const QString& folder) override {
        return QFileDialog::getOpenFileName(parent, QString(), folder, QStringLiteral("*.txt"), nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    }
    std::optional<TNotesMove> AskMove(QWidget* parent) override {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Change Notes location"),
                        QStringLiteral("Click \"Overwrite\" if want to overwrite the new selected file with current "
                                       "notes.\r\nClick \"Discard\" if you want to discard current notes and load "
                                       "content of the new selected file.\r\nClick \"Merge\" to merge the current "
                                       "notes with content of the new file.\r\nClick \"Cancel\" to not change "
                                       "location."),
                        QMessageBox::NoButton, parent);
        QPushButton* overwrite = box.addButton(QStringLiteral("Overwrite"), QMessageBox::AcceptRole);
        QPushButton* discard = box.addButton(QStringLiteral("Discard"), QMessageBox::DestructiveRole);
        QPushButton* merge = box.addButton(QStringLiteral("Merge"), QMessageBox::ActionRole);
        box.addButton(QMessageBox::Cancel);
        box.exec();
        if (box.clickedButton() == overwrite)
            return TNotesMove::Overwrite;
        if (box.clickedButton() == discard)
            return TNotesMove::Discard;
        if (box.clickedButton() == merge)
            return TNotesMove::Merge;
        return std::nullopt;
    }
};

} // namespace

std::unique_ptr<TNotesDialogs> MakeQtNotesDialogs() { return std::make_unique<TQtNotesDialogs>(); }

} // namespace vantrelo
