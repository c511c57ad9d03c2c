// A stage for lava stones without a window: a detached window whose "update" the test drives
// with a fixed frame time, a scene below it, and a registry in a temporary folder that holds a
// short "impulse.wav", so that stones can burst. Nothing here needs OpenGL: meshes and
// textures load on first draw or pick, and neither happens.
#pragma once

#include <vector>

#include "audio/AudioFixtures.h"
#include "core/Buffer.h"
#include "game/lava/Nova.h"
#include "game/lava/Stone.h"
#include "scene/Scene.h"
#include "support/RegistryFixture.h"
#include "window/Window.h"
#include "window/WindowEvents.h"

class StoneStage : public RegistryFixture {
protected:
    Window window{Window::Detached{}, 854, 480};
    Scene* scene = new Scene();

    void SetUp() override {
        RegistryFixture::SetUp();
        std::vector<unsigned char> wav = audiotest::riffWav(1, 22050, 16, std::vector<unsigned char>(200, 0));
        dataFile("impulse.wav", std::string(wav.begin(), wav.end()));
        window.add(scene);
    }

    void frame(float dt = 0.02f) {
        window.deltaTime = dt;
        window.sendBroadcast(Events::UPDATE);
    }

    // Seven stones in the scene (or under `holder`), lit as given, ids 0 to 6 along a row.
    std::vector<Stone*> row(const std::vector<bool>& lit, Component* holder = nullptr) {
        std::vector<Stone*> stones;
        for (int id = 0; id < 7; id++) {
            stones.push_back(
                new Stone(id, lit[id], -2.25f + 0.75f * id, 0, "lava_stone1.obj", StoneKind::LAVA));
            (holder ? holder : scene)->add(stones.back());
        }
        return stones;
    }

    std::vector<Nova*> novas() const {
        std::vector<Nova*> found;
        for (Component* c : scene->children) {
            if (auto* nova = dynamic_cast<Nova*>(c)) found.push_back(nova);
        }
        return found;
    }

    void broadcast(const char* name, void* data) { scene->sendBroadcast(name, scene, data); }
};
