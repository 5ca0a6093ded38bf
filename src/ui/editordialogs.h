// The file dialogs and error box of the list window, behind a seam so tests never open real ones.
#pragma once

#include <QString>

#include <memory>

class QWidget;

namespace vantrelo {

class TEditorDialogs {
public:
    virtual ~TEditorDialogs() = default;
    // "Select a text file": the chosen file, empty when cancelled.
    virtual QString OpenTextFile(QWidget* parent) = 0;
    // "Save text to file" (default suffix "txt"): the chosen file, empty when cancelled.
    virtual QString SaveTextFile(QWidget* parent) = 0;
    // A save dialog with `title`, `filter` (Qt's form) and the proposed name; asks before it
    // overwrites. The chosen file, empty when cancelled.
    virtual QString SaveFile(QWidget* parent, const QString& title, const QString& filter, const QString& proposal) = 0;
    // The pin picture: the chosen image, empty when cancelled.
    virtual QString OpenPicture(QWidget* parent) = 0;
    virtual void ShowError(QWidget* parent, const QString& title, const QString& text) = 0;
};

// The real dialogs (QFileDialog, QMessageBox).
std::unique_ptr<TEditorDialogs> MakeQtEditorDialogs();

} // namespace vantrelo
