// Dispatch cost: a broadcast through a tree of about a thousand components whose handlers
// compare the event name as real handlers do, and a sendUp from a deep leaf.
#include <benchmark/benchmark.h>

#include <cstring>

#include "core/Component.h"
#include "core/Observer.h"

namespace {

long visits = 0;

// Reacts to a few names like a renderer or game object: one string comparison per name.
class Handler : public Component {
public:
    int updates = 0;
    Event* onEvent(Event* e) override {
        visits++;
        if (std::strcmp(e->name, "render") == 0) return e;
        if (std::strcmp(e->name, "mouseMove") == 0) return e;
        if (std::strcmp(e->name, "update") == 0) updates++;
        return e;
    }
};

// Passes its children a record of its own on "render", as a transform passes its matrix.
class Node : public Handler {
public:
    Event own;
    Event* onEvent(Event* e) override {
        Handler::onEvent(e);
        if (std::strcmp(e->name, "render") == 0) {
            own = *e;
            return &own;
        }
        return e;
    }
};

class Watcher : public Observer {
public:
    Event* onEvent(Event* e) override {
        visits++;
        return e;
    }
};

// Levels of 10, 5, 4 and 4 children below the root (1,061 components, depth 5), with an
// observer on every second-level node.
Component* buildTree() {
    const int fanout[] = {10, 5, 4, 4};
    Component* root = new Node;
    Component* level[1000];
    int count = 1;
    level[0] = root;
    for (int depth = 0; depth < 4; depth++) {
        Component* next[1000];
        int nextCount = 0;
        for (int i = 0; i < count; i++) {
            if (depth == 1) level[i]->add(new Watcher);
            for (int k = 0; k < fanout[depth]; k++) {
                Component* c = depth < 3 ? static_cast<Component*>(new Node) : new Handler;
                level[i]->add(c);
                if (nextCount < 1000) next[nextCount++] = c;
            }
        }
        std::memcpy(level, next, sizeof(Component*) * static_cast<size_t>(nextCount));
        count = nextCount;
    }
    return root;
}

void broadcast(benchmark::State& state, const char* name) {
    Component* root = buildTree();
    visits = 0;
    root->sendBroadcast(name);
    const long perBroadcast = visits;
    for (auto _ : state) root->sendBroadcast(name);
    state.counters["components"] = static_cast<double>(perBroadcast);
    state.counters["ns_per_component"] =
        benchmark::Counter(static_cast<double>(perBroadcast),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert,
                           benchmark::Counter::OneK::kIs1000);
    delete root;
}

void BM_BroadcastUpdate(benchmark::State& state) { broadcast(state, "update"); }
void BM_BroadcastRender(benchmark::State& state) { broadcast(state, "render"); }

void BM_SendUpFromDepthFive(benchmark::State& state) {
    Component* root = buildTree();
    Component* leaf = root;
    while (leaf->children.size() > 0) leaf = leaf->children.get(leaf->children.size() - 1);
    for (auto _ : state) leaf->sendUp("nova");
    delete root;
}

}  // namespace

BENCHMARK(BM_BroadcastUpdate);
BENCHMARK(BM_BroadcastRender);
BENCHMARK(BM_SendUpFromDepthFive);
