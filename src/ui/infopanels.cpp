// The input window's title line under the input, its toasts, its state panel and the reminder badge.
#include "ui/infopanels.h"

#include "core/settings.h"
#include "ui/widgetkit.h"
#include "ui/windowlogic.h"

#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include <algorithm>

namespace vantrelo {

namespace {

// The toast and state panel colours, unless `toastfontcolor` names one.
QColor ToastTextColour(const TSettings& s) {
    const QColor c(s.toastfontcolor);
    return s.toastfontcolor.startsWith(u'#') && c.isValid() ? c : QColor(0xFF, 0xCC, 0x40);
}
const QColor kToastBack(0x35, 0x35, 0x3A);

} // namespace

TInfoPanels::TInfoPanels(QWidget& window, const TSettings& settings)
    : QObject(&window), window_(window), settings_(settings) {
    TitleLabel = new QLabel(&window);
    TitleLabel->setObjectName(QStringLiteral("TitleLabel"));
    ToastPanel = new QLabel(&window);
    ToastPanel->setObjectName(QStringLiteral("ToastPanel"));
    ToastPanel->hide();
    StatePanel = new QLabel(&window);
    StatePanel->setObjectName(QStringLiteral("StatePanel"));
    StatePanel->setAlignment(Qt::AlignCenter);
    StatePanel->hide();
    ToastTimer.setInterval(2750);
    ToastTimer.setSingleShot(true);
    connect(&ToastTimer, &QTimer::timeout, ToastPanel, &QWidget::hide);
    HintTimer.setInterval(2000);
    HintTimer.setSingleShot(true);
    connect(&HintTimer, &QTimer::timeout, this, [this] {
        if (!settings_.autoshowhint)
            TitleLabel->setText(QString());
    });
}

void TInfoPanels::ApplyLook(const QPalette& pal) {
    QFont tf = TitleLabel->font();
    tf.setPointSize(8);
    TitleLabel->setFont(tf);
    TitleLabel->setPalette(pal);
    TitleLabel->setVisible(settings_.autoshowhint);
    for (QLabel* l : {ToastPanel, StatePanel}) {
        l->setFont(tf);
        QPalette p = l->palette();
        p.setColor(QPalette::Window, kToastBack);
        p.setColor(QPalette::WindowText, ToastTextColour(settings_));
        l->setPalette(p);
        l->setAutoFillBackground(true);
    }
}

void TInfoPanels::ShowToast(const QString& msg, int lineWidth) {
    if (msg.isEmpty())
        return;
    ToastTimer.stop();
    const QFontMetrics fm(ToastPanel->font());
    const int pad = S(&window_, 12);
    const int maxWidth = lineWidth;
    const int top = TitleLabel->y();
    const int h = std::max(TitleLabel->height(), fm.height() + 2);
    const int left = std::max(0, TitleLabel->x() - S(&window_, 6));
    if (fm.horizontalAdvance(msg) + pad > maxWidth) {
        ToastPanel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        ToastPanel->setText(QStringLiteral(" ") + msg);
        ToastPanel->setGeometry(left, top, maxWidth, h);
    } else {
        ToastPanel->setAlignment(Qt::AlignCenter);
        ToastPanel->setText(msg);
        ToastPanel->setGeometry(left, top, fm.horizontalAdvance(msg) + pad, h);
    }
    ToastPanel->show();
    ToastPanel->raise();
    ToastTimer.start();
}

QString TInfoPanels::ToastText() const { return ToastPanel->text(); }
bool TInfoPanels::ToastVisible() const { return ToastPanel->isVisible(); }

void TInfoPanels::SetStatePanel(const QString& text) {
    if (text.isEmpty()) {
        StatePanel->hide();
        return;
    }
    const QFontMetrics fm(StatePanel->font());
    const int w = fm.horizontalAdvance(text) + S(&window_, 12);
    StatePanel->setText(text);
    StatePanel->setGeometry(window_.width() - w - S(&window_, 8), TitleLabel->y(), w,
                            std::max(TitleLabel->height(), fm.height() + 2));
    StatePanel->show();
    StatePanel->raise();
}

void TInfoPanels::ShowTitle(const QString& title, bool isPath, bool show, int maxWidth) {
    const QFontMetrics fm(TitleLabel->font());
    TitleLabel->setText(FitTitle(title, isPath, maxWidth, [&fm](const QString& s) { return fm.horizontalAdvance(s); }));
    TitleLabel->setVisible(show || settings_.autoshowhint);
    if (show && !settings_.autoshowhint)
        HintTimer.start();
}

QString TInfoPanels::TitleText() const { return TitleLabel->text(); }

void TInfoPanels::SetTitleColour(int bgr) {
    QPalette p = TitleLabel->palette();
    p.setColor(QPalette::WindowText, Bgr(bgr));
    TitleLabel->setPalette(p);
}

QColor TInfoPanels::TitleColour() const { return TitleLabel->palette().color(QPalette::WindowText); }

void TInfoPanels::StopTimers() {
    ToastTimer.stop();
    HintTimer.stop();
}

void TInfoPanels::PlaceBadge(QLabel*& badge, const char* name, const QString& picture, const QWidget& icon,
                             int shift) {
    if (!badge) {
        badge = new QLabel(&window_);
        badge->setObjectName(QLatin1String(name));
        badge->setScaledContents(true);
    }
    const QPixmap pixmap = picture.isEmpty() ? QPixmap() : QPixmap(picture);
    if (pixmap.isNull() || icon.isHidden()) {
        badge->hide();
        return;
    }
    constexpr int kBadge = 10;
    badge->setPixmap(pixmap);
    badge->setGeometry(icon.geometry().right() + 1 - kBadge - shift, icon.geometry().top(), kBadge, kBadge);
    badge->raise();
    badge->show();
}

void TInfoPanels::SetReminderBadge(const QString& picture, const QWidget& icon) {
    PlaceBadge(ReminderBadge, "ReminderBadge", picture, icon, 0);
}

void TInfoPanels::SetBrowserBadge(const QString& picture, const QWidget& icon) {
    PlaceBadge(BrowserBadge, "BrowserBadge", picture, icon, ReminderBadgeShown() ? 5 : 0);
}

bool TInfoPanels::BrowserBadgeShown() const { return BrowserBadge && !BrowserBadge->isHidden(); }

bool TInfoPanels::ReminderBadgeShown() const { return ReminderBadge && !ReminderBadge->isHidden(); }

} // namespace vantrelo
