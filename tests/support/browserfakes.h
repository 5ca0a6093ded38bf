// Fakes of the embedded browser's seams: a host that records what the browser asks of the program.
#pragma once

#include "browser/browserhost.h"

#include <QStringList>
#include <QUrl>
#include <QWidget>

#include <map>
#include <memory>

namespace vantrelo::test {

class TRecordingBrowserHost final : public TBrowserHost {
public:
    std::unique_ptr<QWidget> panel; // made on first use, once the application exists
    bool panelShown = false;
    QString input;
    QStringList toasts;
    QStringList runs;
    QString dataFolder; // BrowserFolder() and ProfileFolder()
    std::map<QString, int> levels;

    QWidget* Panel() override {
        if (!panel)
            panel = std::make_unique<QWidget>();
        return panel.get();
    }
    void ShowPanel() override { panelShown = true; }
    void HidePanel() override { panelShown = false; }
    bool AppActive() const override { return true; }
    void ShowInputWindow() override {}
    QString InputText() const override { return input; }
    void SetInput(const QString& text) override { input = text; }
    void FocusInput(bool, bool, int) override {}
    void SetHint(const QString&) override {}
    void RunInput(const QString& text, bool) override { runs << text; }
    void OpenExternal(const QUrl&, bool) override {}
    void AfterCommand() override {}
    void Toast(const QString& text) override { toasts << text; }
    void OpenHelp() override {}
    QString LineColor() const override { return QStringLiteral("#000000"); }
    QString LineBackground() const override { return QStringLiteral("#ffffff"); }
    std::optional<int> KeywordLevel(const QString& names) const override {
        const auto it = levels.find(names);
        return it == levels.end() ? std::nullopt : std::optional<int>(it->second);
    }
    void GrantKeywordLevel(const QString& names, int level) override { levels[names] = level; }
    QString KeywordTitle(const QString& names) const override { return names; }
    std::optional<QString> KeywordCommand(const QString& name) const override {
        const auto it = commands.find(name);
        return it == commands.end() ? std::nullopt : std::optional<QString>(it->second);
    }
    std::map<QString, QString> commands; // keyword name -> command
    QString ProfileFolder() const override { return dataFolder; }
    QString BrowserFolder() const override { return dataFolder; }
};

// Answers the permission dialog with a fixed choice and counts the questions.
class TAnsweringPrompt final : public TPermissionPrompt {
public:
    int answer = 0;
    int asked = 0;
    int Ask(const QString&, bool) override {
        ++asked;
        return answer;
    }
};

} // namespace vantrelo::test
