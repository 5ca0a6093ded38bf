// The real file dialogs and error box of the list window.
#include "ui/editordialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace vantrelo {

namespace {

const QString kTextFilter = QStringLiteral("Text files (*.txt);;All files (*)");

class TQtEditorDialogs final : public TEditorDialogs {
public:
    QString OpenTextFile(QWidget* parent) override {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Select a text file"), QString(), kTextFilter);
    }
    QString SaveTextFile(QWidget* parent) override {
        QFileDialog d(parent, QStringLiteral("Save text to file"), QString(), kTextFilter);
        d.setAcceptMode(QFileDialog::AcceptSave);
        d.setDefaultSuffix(QStringLiteral("txt"));
        if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
            return {};
        return d.selectedFiles().constFirst();
    }
    QString SaveFile(QWidget* parent, const QString& title, const QString& filter, const QString& proposal) override {
        return QFileDialog::getSaveFileName(parent, title, proposal, filter);
    }
    QString OpenPicture(QWidget* parent) override {
        return QFileDialog::getOpenFileName(
            parent, QString(), QString(),
            QStringLiteral("Image Files (*.jpg *.jpeg *.png);;JPEG Files (*.jpg *.jpeg);;PNG Files (*.png);;"
                           "All Files (*)"));
    }
    void ShowError(QWidget* parent, const QString& title, const QString& text) override {
        QMessageBox::warning(parent, title, text);
    }
};

} // namespace

std::unique_ptr<TEditorDialogs> MakeQtEditorDialogs() { return std::make_unique<TQtEditorDialogs>(); }

} // namespace vantrelo
