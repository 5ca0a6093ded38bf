// Dash commands typed into the line and the messages of other instances: what they ask of the program.
#pragma once

#include "platform/instancechannel.h"
#include "platform/startup/dashcommands.h"

namespace vantrelo {

struct TAppContext;

class TDashController final : public TDashHost, public TInstanceMessageSink {
public:
    explicit TDashController(TAppContext& ctx) : ctx_(ctx) {}

    // TDashHost
    void ToggleOneWindow() override;
    void OpenSettings(TSettingsPage page, const QString& skin) override;
    void SelectInput() override;
    void AddNewKeyWord(const QString& name, const QString& command, const QString& parameters) override;
    void OpenKeywordEditor() override;
    void CloseProgram(const QString& thenOpen) override;
    void ImportKeywordsFromFile() override;
    void ImportFromStartMenu() override;
    void ImportKeywordsFromUrl(const QString& url) override;
    void ExportKeywords() override;
    void Answer(const QString& text) override;
    void OpenPath(const QString& path) override;
    void OpenNotes(const QString& text) override;
    void OpenWebPage(const QString& url) override;
    void ShowMainMenuSoon() override;
    void ShowMessage(const QString& caption, const QString& text) override;
    TReportFacts ReportFacts() const override;

    // TInstanceMessageSink
    void InstanceMessage(const TInstanceMessage& message) override;
    QString InstanceRequest(const TInstanceMessage& message) override;

    // A file given to the program: the line proposes the dash command that adds a keyword for it;
    // the window is raised with the time stamp of the request that sent the file.
    void HandleFile(const QString& path, quint64 userTime);

private:
    // A change vantrelo-cli handed over: applied, saved, and what depends on it refreshed; the
    // encoded answer the tool waits for (refused while the program closes).
    QString ApplyStoreChange(const QString& text);

    TAppContext& ctx_;
};

} // namespace vantrelo
