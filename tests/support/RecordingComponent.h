// Test components that write down every event they see, in order: which component saw it,
// under which name, from which source and through which record. An optional action lets a
// test make the handler stop, replace the record, expire or change the tree.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/Component.h"
#include "core/Observer.h"

struct SeenEvent {
    std::string by;  // label of the component whose handler ran
    std::string name;
    Component* source;
    Event* record;
    void* data;
};

struct EventLog {
    std::vector<SeenEvent> seen;
    std::vector<std::string> destroyed;  // labels, in order of destruction

    // "label:name" for each event, the form most tests compare against.
    std::vector<std::string> trace() const {
        std::vector<std::string> out;
        for (const SeenEvent& s : seen) out.push_back(s.by + ":" + s.name);
        return out;
    }
    std::vector<std::string> visitors() const {
        std::vector<std::string> out;
        for (const SeenEvent& s : seen) out.push_back(s.by);
        return out;
    }
    void clear() { seen.clear(); }
};

template <typename Base>
class Recording : public Base {
public:
    // Runs after the event is written down; its result is the record that travels on.
    using Action = std::function<Event*(Component* self, Event*)>;

    Recording(EventLog* log, std::string label) : log(log), label(std::move(label)) {}
    ~Recording() override { log->destroyed.push_back(label); }

    Event* onEvent(Event* e) override {
        log->seen.push_back(SeenEvent{label, e->name ? e->name : "", e->source, e, e->data});
        if (action) return action(this, e);
        return e;
    }

    EventLog* log;
    std::string label;
    Action action;
};

using RecordingComponent = Recording<Component>;
using RecordingObserver = Recording<Observer>;
