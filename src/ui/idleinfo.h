// The information line of the input window: shown in place of the input while the user works elsewhere, and on focus.
#pragma once

#include <QFont>
#include <QObject>
#include <QPalette>
#include <QString>
#include <QTimer>

#include <functional>
#include <vector>

class QLineEdit;
class QWidget;

namespace vantrelo {

struct TSettings;

class TIdleInfo final : public QObject {
public:
    // `line` shows the text in the information colours and font; `decorations` (icon, open-list
    // button, title) are hidden while it shows.
    TIdleInfo(const TSettings& settings, QLineEdit* line, std::vector<QWidget*> decorations, QObject* parent);

    // Builds the text from `infosyntax`; without it nothing is shown.
    void SetTextSource(std::function<QString()> build) { build_ = std::move(build); }
    void SetClosing();

    // Puts the information up, or refreshes it; the input is saved first, once.
    void Up();
    // Takes it down and gives the input back: the one way back to the user's input, on every
    // show and activation. Input that someone else put into the line meanwhile stays.
    void Down();
    bool IsUp() const { return up_; }

    // Info on focus: the text, wholly selected, refreshed every 2 s until the user types.
    void StartFocusInfo();
    void StopFocusInfo();
    // The user typed: the line is theirs from now on.
    void UserTyped();
    // The line holds the information, not the user's input: Enter never runs it.
    bool HoldsInfo(const QString& lineText) const;

private:
    // `select`: the whole text selected (typing replaces it); either way its beginning shows.
    void PutText(const QString& text, bool select);
    void FocusTick();
    void UseInfoLook();
    void UseOwnLook();

    const TSettings& settings_;
    QLineEdit* line_;
    std::vector<QWidget*> decorations_;
    std::vector<int> remembered_; // 0 not remembered, 1 was hidden, 2 was visible
    std::function<QString()> build_;
    QTimer time_;  // refreshes the idle information every second
    QTimer focus_; // refreshes the info-on-focus text every 2 s
    bool up_ = false;
    bool focusActive_ = false;
    bool closing_ = false;
    bool saved_ = false;
    QString savedText_;
    int savedStart_ = 0, savedLength_ = 0;
    QString shown_; // the text last put into the line
    bool infoLook_ = false; // the line wears the information colours and font
    QPalette ownPalette_;
    QFont ownFont_;
};

} // namespace vantrelo
