// Fakes of the embedded browser's seams: a host that records what the browser asks of the program.
#pragma once

#include "browser/bridgelogic.h"
#include "browser/browserhost.h"

#include <QStringList>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace vantrelo::test {

class TRecordingBrowserHost final : public TBrowserHost {
public:
    std::unique_ptr<QWidget> panel; // made on first use, once the application exists
    bool panelShown = false;
    QString input;
    QStringList toasts;
    QStringList runs;
    QStringList opened;   // OpenExternal's addresses
    QStringList hints;    // every SetHint
    int afterCommands = 0;
    int inputFocused = 0;
    QString dataFolder; // BrowserFolder() and ProfileFolder()
    // A keyword as the keyword file holds it: its grant, the origin it was given for, its command.
    struct TGrant {
        int level = -1;
        QString origin;
        QString command;
    };
    std::map<QString, TGrant> keywords;

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
    void FocusInput(bool, bool, int) override { ++inputFocused; }
    void SetHint(const QString& hint) override { hints << hint; }
    void RunInput(const QString& text, bool) override { runs << text; }
    void OpenExternal(const QUrl& url, bool) override { opened << url.toString(); }
    void AfterCommand() override { ++afterCommands; }
    void Toast(const QString& text) override { toasts << text; }
    void OpenHelp() override {}
    QString LineColor() const override { return QStringLiteral("#000000"); }
    QString LineBackground() const override { return QStringLiteral("#ffffff"); }
    std::optional<int> KeywordLevel(const QString& names, const QString& origin) const override {
        const auto it = keywords.find(names);
        if (it == keywords.end())
            return std::nullopt;
        return GrantedLevel(it->second.level, it->second.origin, it->second.command, origin);
    }
    void GrantKeywordLevel(const QString& names, int level, const QString& origin) override {
        if (auto it = keywords.find(names); it != keywords.end()) {
            it->second.level = level;
            it->second.origin = origin;
        }
    }
    QString KeywordTitle(const QString& names) const override { return names; }
    std::optional<QString> KeywordCommand(const QString& name) const override {
        const auto it = commands.find(name);
        return it == commands.end() ? std::nullopt : std::optional<QString>(it->second);
    }
    std::map<QString, QString> commands; // keyword name -> command
    QString ProfileFolder() const override { return dataFolder; }
    QString BrowserFolder() const override { return dataFolder; }
};

// Answers the permission dialog with a fixed choice and keeps the questions.
class TAnsweringPrompt final : public TPermissionPrompt {
public:
    TPromptAnswer answer = TPromptAnswer::Refused;
    std::vector<TPermissionAsk> asked;
    std::function<void()> whileOpen; // runs while the dialog is open, as the user's other actions would
    TPromptAnswer Ask(const TPermissionAsk& ask) override {
        asked.push_back(ask);
        if (whileOpen)
            whileOpen();
        return answer;
    }
};

} // namespace vantrelo::test
