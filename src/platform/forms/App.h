#pragma once
// The program context handed to every window: the program state, the platform services, the
// front end and the windows. One App per program (and per test).
//
// The flow guard: a scan flow of the system runs inside a FlowScope. While one runs (a message
// box or file dialog inside it included) no input from the front end reaches the windows: timer
// ticks, clicks, edits and menu choices are dropped, so no key starts another flow and no tick
// re-enters. Keys typed meanwhile are kept by the front end and handed on when the flow is done
// (FormHost::FlowDone), but Escape, which gives a long wait up and stops a timed series.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/WatchedOperator.h"
#include "platform/forms/Forms.h"

namespace tav {

class BoardLibrary;
class Clock;
class CommControl;
class FileSystem;
class FormHost;
class Printer;
struct ProgramState;

struct Services {
    Clock& clock;
    Operator& op;
    CommControl& comm;
    BoardLibrary& board;
    FileSystem& fs;
    Printer& printer;
};

class FlowGuard {
public:
    bool Running() const { return depth_ > 0; }
    // Runs each time the outermost flow ends: what was held off while it ran.
    std::function<void()> whenDone;

private:
    friend class FlowScope;
    int depth_ = 0;
};

// Marks a flow of the system for as long as it lives; flows may nest.
class FlowScope {
public:
    explicit FlowScope(FlowGuard& guard) : guard_(guard) { ++guard_.depth_; }
    ~FlowScope() {
        if (--guard_.depth_ == 0 && guard_.whenDone) guard_.whenDone();
    }
    FlowScope(const FlowScope&) = delete;
    FlowScope& operator=(const FlowScope&) = delete;

private:
    FlowGuard& guard_;
};

class App {
public:
    App(ProgramState& state, const Services& services, FormHost& host);
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    ProgramState& state;
    Clock& clock;
    // The services' operator, watched: it counts the boxes closed with Escape.
    WatchedOperator op;
    CommControl& comm;
    BoardLibrary& board;
    FileSystem& fs;
    Printer& printer;
    FormHost& host;
    FlowGuard flow;
    // Where the windows hand the keys they do not use themselves: the dispatcher of the
    // single-letter commands, installed by the program (character code, x-axis title). A key is
    // ignored while none is installed.
    std::function<void(int16_t& keyAscii, std::string& xTitle)> keyCommand;
    Forms forms;  // last: destroyed first, while the services still exist
};

// Brackets every call from the front end into the models. Windows unloaded meanwhile are freed
// when the outermost scope ends, never under a running handler.
class EventScope {
public:
    explicit EventScope(App& app) : app_(app) { ++app_.forms.calls_; }
    ~EventScope();
    EventScope(const EventScope&) = delete;
    EventScope& operator=(const EventScope&) = delete;

    // Operator input is dropped while a flow runs.
    bool InputBlocked() const { return app_.flow.Running(); }

private:
    App& app_;
};

}  // namespace tav
