// The desktop's trash, emptied without asking.
#pragma once

#include "platform/systemresult.h"

namespace vantrelo {

class TTrash {
public:
    virtual ~TTrash() = default;
    // Removes everything in the user's trash folders for good.
    virtual TSystemResult EmptyTrash() = 0;
};

} // namespace vantrelo
