// A long evening of play in a few rounds: the real game switched through every display by the
// fade layer's own switch, and toggled to full screen and back, round after round. What the
// program holds must not grow from round to round: the GL objects our wrappers own, the
// registry's entries and the objects loaded behind them, the components of every display.
#include <gtest/gtest.h>

#include <string>

#include "app/Display.h"
#include "app/SharedLayer.h"
#include "render/GLObjectCount.h"
#include "resources/Resources.h"
#include "support/PlayedGame.h"
#include "window/Window.h"

namespace {

struct Held {
    int textures = 0, buffers = 0, programs = 0;
    int entries = 0;  // registry entries
    int loaded = 0;   // of them, entries whose object is loaded
    int components = 0;

    bool operator==(const Held& o) const {
        return textures == o.textures && buffers == o.buffers && programs == o.programs &&
               entries == o.entries && loaded == o.loaded && components == o.components;
    }
};

std::ostream& operator<<(std::ostream& out, const Held& h) {
    return out << h.textures << " textures, " << h.buffers << " buffers, " << h.programs << " programs, "
               << h.entries << " entries (" << h.loaded << " loaded), " << h.components << " components";
}

int componentsIn(const Component* c) {
    int count = 1;
    for (const Component* child : c->children) count += child ? componentsIn(child) : 0;
    return count;
}

bool isLoaded(Resource* r) {
    if (auto* t = dynamic_cast<TextureResource*>(r)) return t->texture != nullptr;
    if (auto* s = dynamic_cast<SoundResource*>(r)) return s->sound != nullptr;
    if (auto* m = dynamic_cast<MeshResource*>(r)) return m->mesh != nullptr;
    if (auto* m = dynamic_cast<MaterialResource*>(r)) return m->material != nullptr;
    return false;
}

Held held(PlayedGame& g) {
    Held h;
    h.textures = GLObjectCount::textures;
    h.buffers = GLObjectCount::buffers;
    h.programs = GLObjectCount::programs;
    h.entries = Resources::resources.size();
    for (Resource* r : Resources::resources) h.loaded += isLoaded(r) ? 1 : 0;
    h.components = componentsIn(g.sharedLayer);
    for (Display* d : g.displays) h.components += componentsIn(d);
    return h;
}

// Full screen and back by Alt+Return (which makes every display build its GPU objects), then
// every display in turn and back to the gallery, by the fade layer's switch.
void round(PlayedGame& g) {
    for (int i = 0; i < 2; i++) {
        const int before = g.toggles;
        g.altReturn();
        ASSERT_TRUE(g.waitUntil([&] { return g.toggles == before + 1; }, 20));
        g.frames(3);
    }
    for (Display* d : g.displays) {
        if (d == g.window->display) continue;
        g.sharedLayer->switchTo(d);
        g.frames(3);
    }
    g.sharedLayer->switchTo(g.gallery);
    g.frames(3);
}

TEST(SwitchesAndTogglesTest, WhatTheGameHoldsDoesNotGrowOverRounds) {
    const int heldBefore = GLObjectCount::total();
    PlayedGame game;
    Held first, last;
    game.play([&](PlayedGame& g) {
        g.frames(3);
        round(g);
        first = held(g);
        // GPU objects and loaded entries are there to be counted: the gallery is drawn.
        EXPECT_GT(first.textures, 0);
        EXPECT_GT(first.loaded, 0);
#ifndef QUANDRELS_TEST_FIXED_BUILD
        EXPECT_GT(first.buffers, 0);
        EXPECT_GT(first.programs, 0);
#endif
        for (int r = 0; r < 2; r++) round(g);
        last = held(g);
        EXPECT_EQ(g.window->display, g.gallery);
        EXPECT_EQ(g.toggles, 6);
    });
    EXPECT_EQ(last, first);
    // Everything went with the shutdown.
    EXPECT_EQ(GLObjectCount::total(), heldBefore);
}

}  // namespace
