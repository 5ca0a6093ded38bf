// The list window's dialogs answered from a script, recording what they were asked.
#pragma once

#include "ui/editordialogs.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace vantrelo::test {

struct TScriptedDialogs final : TEditorDialogs {
    QString openText, saveText, picture;
    QStringList saveAs;  // answers to SaveFile, in order; an empty one cancels
    QStringList asked;   // "title | filter | proposal" of each SaveFile
    std::vector<QString> errors;
    QString OpenTextFile(QWidget*) override { return openText; }
    QString SaveTextFile(QWidget*) override { return saveText; }
    QString OpenPicture(QWidget*) override { return picture; }
    QString SaveFile(QWidget*, const QString& title, const QString& filter, const QString& proposal) override {
        asked << title + " | " + filter + " | " + proposal;
        return saveAs.isEmpty() ? QString() : saveAs.takeFirst();
    }
    void ShowError(QWidget*, const QString& title, const QString& text) override { errors.push_back(title + ": " + text); }
};

} // namespace vantrelo::test
