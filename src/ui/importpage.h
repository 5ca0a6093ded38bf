// The import/export page: candidate keywords with check boxes, marks and descriptions, and the buttons of its mode.
#pragma once

#include <QString>
#include <QWidget>

#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vantrelo {

enum class TImportMode { Export, Import, StartMenu };

struct TImportPageRow {
    QString text;
    QString description;
    bool checked = true;
};

class TImportPageEvents {
public:
    virtual ~TImportPageEvents() = default;
    virtual void ImportOk() = 0;
    virtual void ImportCancel() = 0;
};

class TImportPage final : public QWidget {
    Q_OBJECT
public:
    explicit TImportPage(QWidget* parent = nullptr);
    void SetEvents(TImportPageEvents* events) { events_ = events; }

    // Fills the page for `mode`; `context` is the line under the title.
    void Begin(TImportMode mode, const QString& context, const std::vector<TImportPageRow>& rows);
    // Export only: each "Don't export" box is offered when some listed keyword has what it leaves out.
    void OfferExportChoices(bool tags, bool hotkeys, bool icons);
    TImportMode Mode() const { return mode_; }

    // The positions (as given to Begin) of the rows checked now; hidden rows are never checked.
    std::vector<int> CheckedRows() const;
    QString Description() const;
    bool NoTags() const;
    bool NoHotkeys() const;
    bool NoIcons() const;

    void SelectAll() { SetAll(Qt::Checked); }
    void DeselectAll() { SetAll(Qt::Unchecked); }
    void InvertSelection();
    // Removes the rows of keywords that exist already ("* ").
    void HideExisting();

private:
    void SetAll(Qt::CheckState state);

    TImportPageEvents* events_ = nullptr;
    TImportMode mode_ = TImportMode::Import;
    QLabel* title_;
    QLabel* context_;
    QListWidget* rows_;
    QPushButton* hideExisting_;
    QLabel* note_;
    QLabel* legend_;
    QLabel* descriptionLabel_;
    QLineEdit* description_;
    QCheckBox* noTags_;
    QCheckBox* noHotkeys_;
    QCheckBox* noIcons_;
    QPushButton* ok_;
};

} // namespace vantrelo
