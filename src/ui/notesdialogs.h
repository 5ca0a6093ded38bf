// The questions of moving the notes to another file, behind a seam so tests answer them by script.
#pragma once

#include "tools/notes.h"

#include <QString>

#include <memory>
#include <optional>

class QWidget;

namespace vantrelo {

class TNotesDialogs {
public:
    virtual ~TNotesDialogs() = default;
    // The text file the notes go to ("*.txt"), starting in `folder`; empty when cancelled.
    virtual QString ChooseFile(QWidget* parent, const QString& folder) = 0;
    // "Overwrite", "Discard" or "Merge"; nothing for "Cancel".
    virtual std::optional<TNotesMove> AskMove(QWidget* parent) = 0;
};

std::unique_ptr<TNotesDialogs> MakeQtNotesDialogs();

} // namespace vantrelo
