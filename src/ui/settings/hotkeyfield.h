// The hotkey field of the keyword editor: takes a keyword's hotkey from the keys pressed in it.
#pragma once

#include <QLineEdit>

#include <functional>

namespace vantrelo {

// Takes a keyword's hotkey from the keys pressed in it, by the rules of ClassifyHotkeyKey.
class THotkeyCaptureField final : public QLineEdit {
public:
    THotkeyCaptureField(std::function<void(int vk, int mods)> taken, QWidget* parent);

protected:
    bool focusNextPrevChild(bool next) override { return QLineEdit::focusNextPrevChild(next); }
    void keyPressEvent(QKeyEvent* e) override;

private:
    std::function<void(int, int)> taken_;
};

// A field with a "clear" link beside it (named `name`) that runs `clear`.
QWidget* WithClearLink(QWidget* field, const char* name, std::function<void()> clear);

} // namespace vantrelo
