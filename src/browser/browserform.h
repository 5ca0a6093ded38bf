// TBrowserForm: a separate window of the program holding its own page.
#pragma once

#include <QWidget>

#include <functional>

class QUrl;
class QWebEngineProfile;
class QWebEnginePage;
class QWebEngineView;

namespace vantrelo {

class TBrowserForm final : public QWidget {
    Q_OBJECT
public:
    struct TActions {
        std::function<void(const QUrl&)> toPanel;    // F6: the page goes back into the list window
        std::function<void(const QUrl&)> toInput;    // F8: the location into the input line
        std::function<void(const QUrl&)> toExternal; // Shift+F8
        std::function<void(QWebEngineView*)> popup;  // a page opened a window of its own
    };
    TBrowserForm(QWebEngineProfile* profile, TActions actions, bool focusBrowser);
    QWebEngineView* View() const { return view_; }
    QWebEnginePage* Page() const;
    void SetFull(bool full);
    bool Full() const { return full_; }

private:
    void AddKeys();

    QWebEngineView* view_;
    TActions actions_;
    bool focusBrowser_;
    bool full_ = false;
};

} // namespace vantrelo
