// The input window's open-list button: a framed triangle over the skin picture or a fill colour.
#pragma once

#include <QImage>
#include <QWidget>

namespace vantrelo {

class TArrowButton final : public QWidget {
    Q_OBJECT
public:
    explicit TArrowButton(QWidget* parent);
    // Colours as 0x00BBGGRR; `background` is the part of the skin picture under the button (null: the fill).
    void SetLook(int fill, int outline, int arrow, QImage background);
    // The triangle points up while the list shows.
    void SetUp(bool up);
    bool Up() const { return up_; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    int fill_ = 0;
    int outline_ = 0;
    int arrow_ = 0;
    QImage background_;
    bool up_ = false;
};

} // namespace vantrelo
