// The input-assist popup: rows with a footer under an edit; it draws them and forwards the keys.
#pragma once

#include <QColor>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>

namespace vantrelo {

class TAutocompletePopup : public QWidget {
public:
    explicit TAutocompletePopup(QWidget* parent = nullptr);
    ~TAutocompletePopup() override;

    // Colours are 0x00BBGGRR.
    void SetBorderColor(int bgr);
    void SetBackgroundColor(int bgr);
    void SetFontColor(int bgr);
    void SetRowColors(int hoverBgr, int selectedBgr);
    void SetFontSize(int points);

    // Shown under `control` (at `y` below its top; -1: its bottom edge); while shown it reads the
    // control's keys first and leaves every key it has no use for to the control.
    void ShowAt(QWidget* control, int y = -1);
    // New rows (none selected) and footer lines; the size follows them.
    void UpdateItems(const QStringList& rows, const QString& contextText, const QString& extraContextText);
    void HidePopup();

    const QStringList& Rows() const { return rows_; }
    int SelectedRow() const { return selected_; }
    int HoverRow() const { return FHoverIndex; }
    int RowHeight() const { return rowHeight_; }

    // Enter (or a click) on `row` with the Shift state; Left or Right on `row`; Ctrl+Space again.
    std::function<void(int row, bool shift)> FOnSelect;
    std::function<void(int row, bool shift)> FOnSoftSelect;
    std::function<void()> FOnUpdate;

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    bool PopupKey(QKeyEvent* e);
    int RowAt(QPoint p) const;
    void Relayout();
    void Place();
    int Scaled(int px96) const;

    QStringList rows_;
    int selected_ = -1;
    int FHoverIndex = -1;
    QString FContextText;
    QString FExtraContextText;
    QColor FBorderColor;
    QColor FBackgroundColor;
    QColor FFontColor;
    QColor hoverColor_;
    QColor selectedColor_;
    QPointer<QWidget> FShowAtControl; // the edit whose keys the popup reads first
    int FShowAtY = -1;
    int rowHeight_ = 0;
};

} // namespace vantrelo
