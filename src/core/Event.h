// Event: the record that travels through the component tree. Names are compared as whole
// strings, never by pointer.
#pragma once

class Component;

struct Event {
    const char* name = nullptr;
    Component* source = nullptr;  // the component that issued the event; not owned
    void* data = nullptr;         // meaning fixed per event name
    bool propagate = true;        // every loop delivering this record stops once it is false
};
