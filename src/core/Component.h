// Component: a node of the tree that every live object of the frame belongs to. Components
// own their children and talk only through named events: send (one component and its
// observers), sendUp (up to the root) and sendBroadcast (a whole subtree, depth first).
#pragma once

#include "core/Event.h"
#include "core/List.h"

class Component {
public:
    Component* parent = nullptr;   // back link, not owning
    List<Component*> children;     // owning, in order of adding
    bool expired = false;          // set to leave the tree at the parent's next broadcast

    Component() = default;
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;
    // Deletes the children, first to last. A component still attached to a parent leaves
    // the parent's list first, so deleting it never leaves a dangling pointer there.
    virtual ~Component();

    // Handles one event; returns the record that travels on (the argument by default).
    virtual Event* onEvent(Event* e);

    void add(Component* child);
    void unlink();
    void removeChildren();

    Event* send(Event* e);
    Event* sendUp(Event* e);
    Event* sendBroadcast(Event* e);

    // Name forms: the record lives on the stack for the dispatch only. send and sendUp
    // both climb to the root, as sendUp does.
    void send(const char* name);
    void send(const char* name, Component* source, void* data);
    void sendUp(const char* name);
    void sendUp(const char* name, Component* source, void* data);
    void sendBroadcast(const char* name);
    void sendBroadcast(const char* name, Component* source, void* data);

    // True for Observer children, which receive everything sent to their parent and are
    // never descended into by broadcasts.
    bool isObserver() const { return observer; }

protected:
    bool observer = false;
};
