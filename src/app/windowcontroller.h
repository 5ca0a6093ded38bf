// The input window's own requests: menu commands, its placement and activation, the list's size and pin.
#pragma once

#include "ui/mainform.h"

namespace vantrelo {

struct TAppContext;

class TWindowController final : public TMainFormHost {
public:
    explicit TWindowController(TAppContext& ctx) : ctx_(ctx) {}

    void RowMenu(int row, QPoint globalPos) override;
    void Command(TFormCommand command) override;
    void RememberForeground() override;
    void ActivateOwnWindow(quint64 window, quint64 userTime) override;
    std::optional<QRect> LastActiveFrame() const override;
    void InputWidthChanged(int width) override;
    void ListRowsChanged(int rows) override;
    void ListRowHeightFitted(int height) override;
    void PinCommand() override;
    void FileDropped(const QString& path) override;

    // $PIN$: "on" and "off" switch the pin, anything else chooses a new picture.
    void RunPin(const QString& para);
    // $EDIT$: the multi-line editor with the parameter, or with its present text when none.
    void RunEdit(const QString& para);

private:
    void OpenFolderOfItem();
    void ToggleSpellCheck();
    void BrowseFiles();
    void DeleteFromHistory();
    void Toggle(TFormCommand command);
    void ShowAbout();

    TAppContext& ctx_;
};

} // namespace vantrelo
