// The dialogs of choosing and saving skins, behind an interface that tests script.
#pragma once

#include "ui/skin/skinsave.h"

#include <QString>

#include <optional>

class QWidget;

namespace vantrelo {

class TSkinDialogs {
public:
    virtual ~TSkinDialogs() = default;
    // A .skn or .zip file to load; empty when cancelled.
    virtual QString OpenSkin(const QString& startFolder) = 0;
    // Which groups of values to save; nothing when cancelled.
    virtual std::optional<TSkinSaveGroups> AskSaveGroups() = 0;
    // The .skn file to save to; empty when cancelled.
    virtual QString SaveSkinFile(const QString& startFolder) = 0;
};

// The dialogs as windows over `parent`.
class TQtSkinDialogs final : public TSkinDialogs {
public:
    explicit TQtSkinDialogs(QWidget* parent) : parent_(parent) {}
    QString OpenSkin(const QString& startFolder) override;
    std::optional<TSkinSaveGroups> AskSaveGroups() override;
    QString SaveSkinFile(const QString& startFolder) override;

private:
    QWidget* parent_;
};

} // namespace vantrelo
