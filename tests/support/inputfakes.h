// Recording stand-ins for what the input controller and the input window ask of the program.
#pragma once

#include "app/inputcontroller.h"
#include "core/items.h"
#include "exec/pipeline.h"
#include "ui/mainform.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace vantrelo::test {

// Records every request; runs go on into `pipeline` when a test sets it.
struct TRecordingOutside final : TInputOutside {
    std::vector<TExecRequest> runs;
    QStringList calls;
    QString path;
    std::function<bool(const TExecRequest&)> pipeline; // when set, runs go on into it
    bool Run(const TExecRequest& r) override {
        runs.push_back(r);
        return pipeline ? pipeline(r) : true;
    }
    std::function<QString(const QString& line, bool withFile)> itemPath; // when set, answers in place of `path`
    QString ItemPath(const QString& line, const TItem*, bool withFile) const override {
        return itemPath ? itemPath(line, withFile) : path;
    }
    bool RunDashCommand(const QString&) override { return false; }
    void ShowRowMenu(int row, QPoint at) override { calls << QStringLiteral("menu %1 at %2").arg(row).arg(at.y()); }
    void ShowItemMenu() override { calls << "item menu"; }
    void OpenTool(TTool tool) override { calls << QStringLiteral("tool %1").arg(int(tool)); }
    void OpenInputAssist(bool inEditor) override { calls << (inEditor ? "assist editor" : "assist line"); }
    void CloseWindow(quint64 window) override { calls << QStringLiteral("close %1").arg(window); }
    void EndProcessOfWindow(quint64 window) override { calls << QStringLiteral("end %1").arg(window); }
    bool ActivateLastActive() override {
        calls << "last active";
        return true;
    }
    void ActivateWindow(quint64) override {}
    void CopyToClipboard(const QString& text) override { calls << "clipboard " + text; }
    void ChooseClipEntry(const TMyClipItem& c) override { calls << "choose clip " + c.clipb; }
    bool RemoveClipEntry(const TMyClipItem& c) override {
        calls << "remove clip " + c.clipb;
        return true;
    }
    void WriteSettings() override { calls << "write"; }
    void ShowMessage(const QString&) override {}
    void ShowCalcResult(const QString&, const QString&, const QString&) override {}
    void CloseProgram() override { calls << "close program"; }
    void ClearIncognitoFolder() override {}
    bool ShiftHeld() const override { return false; }
    bool AltHeld() const override { return false; }
};

// Records the input window's commands as the program would receive them; the rest is ignored.
struct TRecordingFormHost final : TMainFormHost {
    std::vector<TFormCommand> commands;
    void RowMenu(int, QPoint) override {}
    void Command(TFormCommand c) override { commands.push_back(c); }
    void RememberForeground() override {}
    void ActivateOwnWindow(quint64, quint64) override {}
    std::optional<QRect> LastActiveFrame() const override { return std::nullopt; }
    void InputWidthChanged(int) override {}
    void ListRowsChanged(int) override {}
    void ListRowHeightFitted(int) override {}
    void PinCommand() override {}
    void FileDropped(const QString&) override {}
};

} // namespace vantrelo::test
