// Observer: a child that sees every event delivered to its parent by send, sendUp and
// sendBroadcast, and that broadcasts never visit separately.
#pragma once

#include "core/Component.h"

class Observer : public Component {
public:
    Observer() { observer = true; }
};
