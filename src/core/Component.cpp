// Component: ownership of children and the three dispatch forms of named events.
#include "core/Component.h"

#include "core/Log.h"

namespace {

// Deletes the children first to last. Each slot is cleared before its child dies, so a child
// whose destructor unlinks itself (or looks at its siblings) finds nothing to remove twice.
void deleteChildren(List<Component*>& children) {
    for (int i = 0; i < children.size(); i++) {
        Component* child = children.at(i);
        children.at(i) = nullptr;
        if (child) {
            child->parent = nullptr;
            delete child;
        }
    }
    children.clear();
}

}  // namespace

// A component deleted while attached leaves its parent's list, so no dangling pointer stays
// behind. Children deleted by their parent have their link cleared first and skip this.
Component::~Component() {
    unlink();
    deleteChildren(children);
}

Event* Component::onEvent(Event* e) { return e; }

void Component::add(Component* child) {
    if (!child) return;
    // A component that is this one or one of its ancestors would close a loop, and every
    // later broadcast through it would never end.
    for (Component* c = this; c; c = c->parent) {
        if (c == child) {
            log("Component can't be added below itself\n");
            return;
        }
    }
    child->unlink();
    child->parent = this;
    children.add(child);
}

void Component::unlink() {
    if (!parent) return;
    List<Component*>& siblings = parent->children;
    for (int i = 0; i < siblings.size(); i++) {
        if (siblings.at(i) == this) {
            siblings.remove(i);
            break;
        }
    }
    parent = nullptr;
}

void Component::removeChildren() { deleteChildren(children); }

Event* Component::send(Event* e) {
    Event* r = onEvent(e);
    if (children.size() == 0 || !r->propagate) return r;
    // The count is read again on every turn: handlers may add or unlink children.
    for (int i = 0; i < children.size(); i++) {
        Component* child = children.at(i);
        if (child && child->observer) {
            r = child->onEvent(r);
            if (!r->propagate) break;
        }
    }
    return r;
}

Event* Component::sendUp(Event* e) {
    Component* current = this;
    while (current) {
        e = current->send(e);
        if (!e->propagate) break;
        current = current->parent;
    }
    return e;
}

Event* Component::sendBroadcast(Event* e) {
    Event* r = send(e);
    if (children.size() == 0 || !r->propagate) return r;
    for (int i = 0; i < children.size() && r->propagate; i++) {
        Component* child = children.at(i);
        if (!child) continue;
        if (child->expired) {
            children.remove(i);
            i--;
            child->parent = nullptr;
            delete child;
        } else if (!child->observer) {
            child->sendBroadcast(r);
        }
    }
    return r;
}

void Component::send(const char* name) {
    Event e{name, this, nullptr, true};
    sendUp(&e);
}

void Component::send(const char* name, Component* source, void* data) {
    Event e{name, source, data, true};
    sendUp(&e);
}

void Component::sendUp(const char* name) {
    Event e{name, this, nullptr, true};
    sendUp(&e);
}

void Component::sendUp(const char* name, Component* source, void* data) {
    Event e{name, source, data, true};
    sendUp(&e);
}

void Component::sendBroadcast(const char* name) {
    Event e{name, this, nullptr, true};
    sendBroadcast(&e);
}

void Component::sendBroadcast(const char* name, Component* source, void* data) {
    Event e{name, source, data, true};
    sendBroadcast(&e);
}
