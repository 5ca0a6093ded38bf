// The real search for programs on PATH.
#pragma once

#include "platform/programsearch.h"

namespace vantrelo {

class TSystemProgramSearch final : public TProgramSearch {
public:
    bool IsProgramOnPath(const QString& name) const override;
};

} // namespace vantrelo
