// The desktop's trash: emptied without asking, or handed a file to keep until it is emptied.
#pragma once

#include "platform/systemresult.h"

#include <QString>

namespace vantrelo {

class TTrash {
public:
    virtual ~TTrash() = default;
    // Removes everything in the user's trash folders for good.
    virtual TSystemResult EmptyTrash() = 0;
    // Moves a file or folder into the trash, so that it can be restored from there.
    virtual TSystemResult MoveToTrash(const QString& path) = 0;
};

} // namespace vantrelo
