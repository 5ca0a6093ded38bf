// Importing the application menu as keywords: collected on a worker, added and saved on this thread.
#pragma once

namespace vantrelo {

struct TAppContext;

class TImportController {
public:
    explicit TImportController(TAppContext& ctx) : ctx_(ctx) {}

    // Every application-menu entry and app that is not a keyword yet becomes one; the settings are
    // saved and a toast says how many were added. A second request while one runs is ignored.
    void ImportApplications();
    bool Running() const { return running_; }

private:
    TAppContext& ctx_;
    bool running_ = false;
};

} // namespace vantrelo
