// Component: a node of the tree that every live object of the frame belongs to. Components
// own their children and talk only through named events: send (one component and its
// observers), sendUp (up to the root) and sendBroadcast (a whole subtree, depth first).
//
// Changing the tree during a broadcast. The loops read the child count again after every
// handler, so:
// - Leaving: a component that wants to go sets `expired` on itself. Its parent removes and
//   deletes it when the next broadcast passes through the parent, before delivering anything
//   to it; nothing is ever deleted inside its own handler. A broadcast that stops before
//   reaching it, and send/sendUp, leave it in place.
// - Adding: a child appended during a broadcast, at a position the loop has not passed yet
//   (the end of the list always qualifies), receives that same broadcast in the same pass.
// - Unlinking: a component that unlinks itself or an elder sibling mid-broadcast shifts the
//   later siblings down by one, and the sibling that moves into the current position misses
//   that event. Use `expired` instead; unlink only between broadcasts.
// - A component deleted by its owner must be unlinked first (the destructor does so).
#pragma once

#include "core/Event.h"
#include "core/List.h"

class Component {
public:
    Component* parent = nullptr;  // back link, not owning
    List<Component*> children;    // owning, in order of adding
    bool expired = false;         // set to leave the tree at the parent's next broadcast

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

// The first of `from` and its ancestors that is a T, or null: the way from a picked collider
// to the game object it belongs to, or from a timer to the object that runs it.
template <class T>
T* findAncestor(Component* from) {
    for (Component* c = from; c != nullptr; c = c->parent) {
        if (T* found = dynamic_cast<T*>(c)) return found;
    }
    return nullptr;
}
