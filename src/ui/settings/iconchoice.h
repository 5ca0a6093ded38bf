// The keyword's icon in the detail panel: shown, its hint, and the ways to choose or reset it.
#pragma once

#include <QToolButton>

#include <functional>
#include <optional>

namespace vantrelo {

struct TIconChoiceHost {
    // A custom icon path as a run expands it ("%HOME%/x.png"), to tell whether the file exists.
    std::function<QString(const QString&)> expand;
    // The icon of the indexed item of this name (a picture path or a theme icon name); none when
    // no item has the name.
    std::function<std::optional<QString>(const QString& name)> indexedIcon;
};

// The hint of the icon: which custom icon is set and whether its file is there.
QString IconHint(const QString& iconpath, int iconidx, bool fileFound);

class TIconChoice final : public QToolButton {
    Q_OBJECT
public:
    // `changed` runs after the user changed the icon (the page applies it).
    TIconChoice(TIconChoiceHost host, std::function<void()> changed, QWidget* parent = nullptr);

    void Show(const QString& iconpath, int iconidx, const QString& command);
    QString Path() const { return path_; }
    int Index() const { return index_; }
    // The "icon options" button with its menu, to place beside the icon.
    QToolButton* OptionsButton() const { return options_; }

    // "Change icon": a picture file chosen in a dialog.
    void ChangeIcon();
    // "Edit icon path": the path (or a theme icon name) and the index typed in.
    void EditIconPath();
    // "Reset icon": back to the icon of the command.
    void ResetIcon();
    // "Get icon from indexed item name".
    void FromIndexedItem();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void Set(const QString& path, int index);
    void Refresh();

    TIconChoiceHost host_;
    std::function<void()> changed_;
    QToolButton* options_;
    QString path_;
    int index_ = 0;
    QString command_;
};

} // namespace vantrelo
