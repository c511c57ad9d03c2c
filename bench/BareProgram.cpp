// The floor the platform sets, for the benchmarks to measure the game against: a bare SDL2 +
// OpenGL program that does nothing of its own.
//
//   bare_program                                start-up: the game's window (854 x 480, the
//       same GL attributes), its context, one clear, one swap; then "First frame shown" on
//       standard output and it waits for the request to end (SIGTERM), as the game does.
//   bare_program --layers=N [--fullscreen] [--seconds=S]
//       frame cost: N screen-filling textured layers per frame (the first opaque, the others
//       blended, as a backdrop and overlays are), on the game's 20 ms pacing, in the 854 x 480
//       window or full screen at the desktop's size; after 25 warm-up frames, S seconds
//       (default 10) are measured and one line is printed:
//       "floor WIDTHxHEIGHT layers N cpu-ms-per-frame X fps Y".
//
// Processor time counts every thread of the process (llvmpipe draws in threads of its own),
// as bench_frames counts the game's.
#include <SDL.h>
#include <SDL_opengl.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double cpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

struct Options {
    int layers = -1;  // -1: start-up
    bool fullscreen = false;
    double seconds = 10;
};

Options optionsFrom(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; i++) {
        if (strncmp(argv[i], "--layers=", 9) == 0) options.layers = atoi(argv[i] + 9);
        if (strcmp(argv[i], "--fullscreen") == 0) options.fullscreen = true;
        if (strncmp(argv[i], "--seconds=", 10) == 0) options.seconds = atof(argv[i] + 10);
    }
    if (options.seconds <= 0) options.seconds = 10;
    return options;
}

// The attributes the game's shader build asks for.
void askForTheGamesContext() {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCELERATED_VISUAL, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
}

// A 1024 x 512 RGBA picture, the size of the game's backdrops, with some texture in it and
// alpha that varies, so that blending has something to do.
GLuint makeTexture(int seed) {
    const int width = 1024, height = 512;
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            unsigned char* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
            p[0] = static_cast<unsigned char>((x * 7 + seed * 31) ^ y);
            p[1] = static_cast<unsigned char>(x + y * 3);
            p[2] = static_cast<unsigned char>((x ^ (y * 5)) + seed);
            p[3] = static_cast<unsigned char>(128 + ((x + y) & 127));
        }
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return texture;
}

void drawLayers(const std::vector<GLuint>& textures) {
    static const GLfloat corners[] = {-1, -1, 1, -1, 1, 1, -1, 1};
    static const GLfloat coordinates[] = {0, 0, 1, 0, 1, 1, 0, 1};
    glEnable(GL_TEXTURE_2D);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, corners);
    glTexCoordPointer(2, GL_FLOAT, 0, coordinates);
    for (size_t i = 0; i < textures.size(); i++) {
        if (i > 0) {
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        }
        glBindTexture(GL_TEXTURE_2D, textures[i]);
        glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
    }
    glDisable(GL_BLEND);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_TEXTURE_2D);
}

// Ends at the platform's quit (SIGTERM becomes one) or when `until` has passed.
bool quitRequested() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = optionsFrom(argc, argv);
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
        return 1;
    }
    askForTheGamesContext();
    const Uint32 flags =
        SDL_WINDOW_OPENGL | (options.fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : SDL_WINDOW_RESIZABLE);
    SDL_Window* window = SDL_CreateWindow("bare", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          options.fullscreen ? 0 : 854, options.fullscreen ? 0 : 480, flags);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (!context) {
        fprintf(stderr, "no window or GL context: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetSwapInterval(1);

    if (options.layers < 0) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SDL_GL_SwapWindow(window);
        printf("First frame shown\n");
        fflush(stdout);
        while (!quitRequested()) SDL_Delay(5);
    } else {
        std::vector<GLuint> textures;
        for (int i = 0; i < options.layers; i++) textures.push_back(makeTexture(i));
        // A window manager may give the full-screen window its size a few frames later.
        int width = 0, height = 0;
        auto frame = [&] {
            const auto start = Clock::now();
            if (quitRequested()) exit(0);
            SDL_GL_GetDrawableSize(window, &width, &height);
            glViewport(0, 0, width, height);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            drawLayers(textures);
            SDL_GL_SwapWindow(window);
            const auto work = Clock::now() - start;
            if (work < std::chrono::milliseconds(20))
                std::this_thread::sleep_for(std::chrono::milliseconds(20) - work);
        };
        for (int i = 0; i < 25; i++) frame();
        const double cpuBefore = cpuMilliseconds();
        const auto begin = Clock::now();
        const auto end = begin + std::chrono::duration<double>(options.seconds);
        long frames = 0;
        while (Clock::now() < end) {
            frame();
            frames++;
        }
        const double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
        printf("floor %dx%d layers %d cpu-ms-per-frame %.3f fps %.2f\n", width, height, options.layers,
               (cpuMilliseconds() - cpuBefore) / frames, frames / seconds);
    }
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
