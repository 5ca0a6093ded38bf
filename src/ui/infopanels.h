// The input window's title line under the input, its toasts, its state panel and the reminder badge.
#pragma once

#include <QObject>
#include <QTimer>

class QColor;
class QLabel;
class QPalette;
class QWidget;

namespace vantrelo {

struct TSettings;

class TInfoPanels final : public QObject {
    Q_OBJECT
public:
    // The labels are children of `window`; the title goes into the window's layout.
    TInfoPanels(QWidget& window, const TSettings& settings);

    QLabel* Title() const { return TitleLabel; }
    void ApplyLook(const QPalette& palette);
    // A toast over the title for a while, as wide as the line at most.
    void ShowToast(const QString& msg, int lineWidth);
    QString ToastText() const;
    bool ToastVisible() const;
    // The state text at the right end of the title line; empty hides it.
    void SetStatePanel(const QString& text);
    // The title, shortened to `maxWidth`; shown for a while with `show` unless `autoshowhint` keeps it.
    void ShowTitle(const QString& title, bool isPath, bool show, int maxWidth);
    QString TitleText() const;
    void SetTitleColour(int bgr);
    QColor TitleColour() const;
    void StopTimers();
    // The reminder badge: `picture` (empty: none) drawn 10 by 10 pixels at the top right corner of
    // `icon`; hidden when the picture cannot be read.
    void SetReminderBadge(const QString& picture, const QWidget& icon);
    bool ReminderBadgeShown() const;
    // The browser badge (a page lives in the background): the same place, 5 pixels further left
    // while the reminder badge shows.
    void SetBrowserBadge(const QString& picture, const QWidget& icon);
    bool BrowserBadgeShown() const;

private:
    // Shows `picture` as a badge at the icon's top right corner, `shift` pixels to the left.
    void PlaceBadge(QLabel*& badge, const char* name, const QString& picture, const QWidget& icon, int shift);

    QWidget& window_;
    const TSettings& settings_;
    QLabel* TitleLabel = nullptr;
    QLabel* ToastPanel = nullptr;
    QLabel* StatePanel = nullptr;
    QLabel* ReminderBadge = nullptr;
    QLabel* BrowserBadge = nullptr;
    QTimer ToastTimer;
    QTimer HintTimer;
};

} // namespace vantrelo
