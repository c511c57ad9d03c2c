#include "support/GameFolder.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "app/SharedLayer.h"
#include "platform/GL.h"
#include "resources/Resources.h"
#include "support/LogCapture.h"
#include "window/Window.h"
#include "window/WindowEvents.h"

namespace {

std::string sourceFile(const std::string& relative) {
    std::ifstream in(std::string(QUANDRELS_SOURCE_DIR) + "/" + relative, std::ios::binary);
    if (!in) throw std::runtime_error("missing " + relative);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace

GameFolder::GameFolder(const std::map<std::string, std::string>& pictures) {
    for (const auto& [name, bytes] : pictures) dir.writeFile("data/" + name, bytes);
    for (const char* shader :
         {"uv/gouraud-shading.v.glsl", "uv/gouraud-shading.f.glsl", "uv/simple-textured.v.glsl",
          "uv/simple-textured.f.glsl", "uv/textured-gt-0-5.v.glsl", "uv/textured-gt-0-5.f.glsl"}) {
        dir.writeFile(std::string("data/") + shader, sourceFile(std::string("data/") + shader));
    }
    if (chdir(dir.path().c_str()) != 0) throw std::runtime_error("chdir failed");
    Resources::release();
    Resources::archive = "no-pack.dat";
    Resources::password = "";
    Resources::init();
    captureLog([&] { app.createWindow(); });
    app.sharedLayer = new SharedLayer(&app);
}

GameFolder::~GameFolder() {
    captureLog([&] { app.shutdown(); });
    Resources::archive = "data.dat";
}

void GameFolder::frame(float deltaTime) {
    app.window->deltaTime = deltaTime;
    app.window->sendBroadcast(Events::UPDATE);
}

unsigned int GameFolder::pixel(int x, int y) const {
    unsigned char rgba[4] = {0, 0, 0, 0};
    glReadPixels(x, app.window->viewport.height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return rgba[0] | (rgba[1] << 8) | (rgba[2] << 16) | (static_cast<unsigned int>(rgba[3]) << 24);
}
