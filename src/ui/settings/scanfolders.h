// The "Additional index paths" editor: the scan folders as rows, each edited (and test-scanned) in a dialog.
#pragma once

#include "core/items.h"

#include <QDialog>
#include <QWidget>

#include <atomic>
#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QThread;
class QTimer;

namespace vantrelo {

// "Additional index path": one scan folder's path, extensions and depth, with a test scan of it.
class TIndexItemForm final : public QDialog {
    Q_OBJECT
public:
    TIndexItemForm(const TMyScanItem& item, QWidget* parent = nullptr);
    ~TIndexItemForm() override;

    TMyScanItem Item() const;
    // "Indexed items": the form shows a list of paths and nothing else.
    void ShowList(const QStringList& paths);
    // Scans the folder on its own on a worker; the results and counts show when it ends.
    void TestScan();
    bool Scanning() const { return worker_ != nullptr; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    void Finished();
    void ShowProgress();

    QWidget* fields_;
    QLineEdit *path_, *extensions_, *level_;
    QPushButton *test_, *ok_, *cancel_;
    QPlainTextEdit* results_;
    QLabel* items_;
    QTimer* progressTimer_;
    QThread* worker_ = nullptr;
    std::atomic<bool> stop_{false};
    std::atomic<qint64> progress_{0};
    QStringList found_; // written by the worker, read after it ends
};

// The list of scan folders; `Changed` after every add, edit or delete.
class TScanFoldersEdit final : public QWidget {
    Q_OBJECT
public:
    explicit TScanFoldersEdit(QWidget* parent = nullptr);

    void SetItems(const std::vector<TMyScanItem>& items);
    std::vector<TMyScanItem> Items() const;
    // "Add" and a double-click: the editor on a new folder or on a row.
    void AddFolder();
    void EditRow(int row);
    void DeleteSelected();

signals:
    void Changed();

private:
    void SetRow(int row, const TMyScanItem& item);

    QTableWidget* table_;
};

} // namespace vantrelo
