// A stage for lava stones without a window: a detached window whose "update" the test drives
// with a fixed frame time, a scene below it, and a registry in a temporary folder that holds a
// short "impulse.wav", so that stones can burst. Nothing here needs OpenGL: meshes and
// textures load on first draw or pick, and neither happens.
#pragma once

#include <vector>

#include "audio/AudioFixtures.h"
#include "core/Buffer.h"
#include "game/lava/LavaLevels.h"
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

    // The seven stones of the first level in the scene (or under `holder`), where the level
    // places them (a row, ids 0 to 6 from left to right), lit as given by id; by id.
    std::vector<Stone*> row(const std::vector<bool>& lit, Component* holder = nullptr) {
        std::vector<Stone*> stones(LavaLevels::STONES, nullptr);
        const LavaLevels::Level& first = LavaLevels::LEVEL_TABLE[0];
        for (const LavaLevels::StoneSpot& spot : first.stones) {
            Stone* stone = new Stone(spot.id, lit[spot.id], spot.x, spot.y,
                                     LavaLevels::STONE_MESHES[spot.mesh], first.kind);
            (holder ? holder : scene)->add(stone);
            stones[spot.id] = stone;
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
