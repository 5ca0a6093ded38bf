// Single instance per user and the typed messages a second start or another program sends.
#pragma once

#include <QString>

#include <vector>

namespace vantrelo {

// One message to the running instance; each carries its own text (no hand-off file).
enum class TInstanceMessageKind : unsigned char {
    Activate = 1,      // bring the running window to the front (a second start)
    SendTo = 2,        // a file or folder path to propose as a keyword
    Open = 3,          // show the input window
    Command = 4,       // execute the text as a typed input, without raising the window
    Hide = 5,          // hide the input window as the hotkey would
    HotOpen = 6,       // toggle the input window as the hotkey would
    Input = 7,         // put the text into the input line, caret at the end
    InputSelected = 8, // put the text into the input line, selected
    Close = 9,         // close the program
    StoreChange = 10,  // a change of vantrelo-cli to apply and save (core/storechange.h); answered
    Answer = 11,       // the running instance's answer to a StoreChange, on the same connection
};

struct TInstanceMessage {
    TInstanceMessageKind kind = TInstanceMessageKind::Activate;
    QString text;
    // The sender's startup notification id, so the desktop lets the running window take focus.
    QString activationToken;
    bool operator==(const TInstanceMessage&) const = default;
};

// Receives the messages of other instances on the user-interface thread.
class TInstanceMessageSink {
public:
    virtual ~TInstanceMessageSink() = default;
    virtual void InstanceMessage(const TInstanceMessage& message) = 0;
    // A message whose sender waits for an answer (StoreChange): handled, and the answer's text
    // given back once done.
    virtual QString InstanceRequest(const TInstanceMessage& message) {
        InstanceMessage(message);
        return {};
    }
};

enum class TInstanceRole {
    First,  // this process holds the single-instance lock and receives messages
    Second, // another instance runs: hand it the work and end
    Failed, // the lock could not be checked (the error says why)
};

class TInstanceChannel {
public:
    virtual ~TInstanceChannel() = default;
    // Takes the per-user lock; as the first instance it starts listening and hands every message
    // to `sink` (which must outlive the channel).
    virtual TInstanceRole Claim(TInstanceMessageSink* sink, QString* error) = 0;
    // As a second instance: delivers the messages to the running one, in order. False when it
    // could not be reached within the channel's time-out.
    virtual bool Send(const std::vector<TInstanceMessage>& messages, QString* error) = 0;
    // As a second instance: delivers `message` and waits up to `timeoutMs` for the running
    // instance's answer. False with `error` when it could not be reached or did not answer in time.
    virtual bool Ask(const TInstanceMessage& message, int timeoutMs, QString* answer, QString* error) {
        (void)timeoutMs;
        (void)answer;
        if (!Send({message}, error))
            return false;
        if (error)
            *error = QStringLiteral("no answer");
        return false;
    }
};

} // namespace vantrelo
