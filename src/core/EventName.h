// The one test every handler makes: is this the event called `name`? Names are compared as
// whole strings, never by pointer; a missing record or a record without a name is no event.
#pragma once

#include <cstring>

#include "core/Event.h"

inline bool isEvent(const Event* e, const char* name) {
    return e != nullptr && e->name != nullptr && name != nullptr && std::strcmp(e->name, name) == 0;
}
