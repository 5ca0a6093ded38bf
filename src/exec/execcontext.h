// The settings, keywords and services that input resolution and parameter substitution work with.
#pragma once

#include <QString>

#include <functional>

namespace vantrelo {

struct TSettings;
class TKeywordList;
class TEnvironment;
class TFileSystem;
class TClipboard;
class TDesktopWindows;
class TKeySender;
class TWaiter;
class TSoundPlayer;
class TRandomSource;
class TClock;
class TNetworkInfo;
class TTextSender;
class TInputHost;
class TClipHistoryView;
class TInjector;

// The program's command expansion (environment, "$D$"/"$H$", and with `strip` the modifier names).
using TCommandExpander = std::function<QString(const QString& text, bool strip)>;

// Every service a substitution may reach. All must be set except `clipHistory`, which may be null
// while the clipboard history is off.
struct TExecServices {
    TEnvironment* environment = nullptr;
    TFileSystem* files = nullptr;
    TClipboard* clipboard = nullptr;
    TDesktopWindows* windows = nullptr;
    TKeySender* keys = nullptr;
    TWaiter* waiter = nullptr;
    TSoundPlayer* sound = nullptr;
    TRandomSource* random = nullptr;
    TClock* clock = nullptr;
    TNetworkInfo* network = nullptr;
    TTextSender* textSender = nullptr;
    TInputHost* input = nullptr;
    const TClipHistoryView* clipHistory = nullptr;
    // Keys and pastes into other windows; null where there are none (a terminal).
    TInjector* injector = nullptr;
};

// Held by the pipeline for the life of the input window; cheap to build in tests.
struct TExecContext {
    TExecContext(const TSettings& s, const TKeywordList& k, const TExecServices& svc);

    const TSettings& settings;
    const TKeywordList& keywords;
    TExecServices services;
    // Defaults to environment and home-folder expansion; the dispatcher installs ExpandCommandText.
    TCommandExpander expandCommand;
};

} // namespace vantrelo
