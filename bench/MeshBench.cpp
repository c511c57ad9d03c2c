// Cost of the mesh work done per frame and per load: ray tests (every click), smoothed
// normals and OBJ parsing (every model load), and a draw through the lit material when a
// display is available. The allocation counter shows that ray tests and draws allocate
// nothing.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "core/Buffer.h"
#include "platform/GL.h"
#include "render/Material.h"
#include "render/Mesh.h"
#include "render/ObjLoader.h"
#include "render/ShaderProgram.h"
#include "window/Window.h"

namespace {
std::atomic<long> allocations{0};
}

// Counting replacements of the global allocation functions. GCC cannot see that the
// replaced new and delete pair up through malloc and free, and warns where they inline.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

// A latitude-longitude sphere of radius 1 as OBJ text with quads (and triangles at the
// poles), like a low-polygon model exported by a modelling program.
std::string sphereObj(int rings, int segments) {
    std::string text = "# sphere\no Sphere\n";
    char line[96];
    for (int r = 0; r <= rings; r++) {
        float theta = static_cast<float>(M_PI) * r / rings;
        for (int s = 0; s < segments; s++) {
            float phi = 2 * static_cast<float>(M_PI) * s / segments;
            snprintf(line, sizeof line, "v %.6f %.6f %.6f\n", std::sin(theta) * std::cos(phi),
                     std::cos(theta), std::sin(theta) * std::sin(phi));
            text += line;
            snprintf(line, sizeof line, "vt %.6f %.6f\n", static_cast<float>(s) / segments,
                     1 - static_cast<float>(r) / rings);
            text += line;
        }
    }
    text += "s 1\n";
    for (int r = 0; r < rings; r++) {
        for (int s = 0; s < segments; s++) {
            int a = r * segments + s + 1;
            int b = r * segments + (s + 1) % segments + 1;
            int c = a + segments;
            int d = b + segments;
            snprintf(line, sizeof line, "f %d/%d %d/%d %d/%d %d/%d\n", a, a, c, c, d, d, b, b);
            text += line;
        }
    }
    return text;
}

std::unique_ptr<Mesh> sphereMesh(int rings, int segments) {
    std::string text = sphereObj(rings, segments);
    ObjData data;
    parseObj(text.data(), static_cast<int>(text.size()), &data);
    auto mesh = std::make_unique<Mesh>();
    mesh->vertices = data.vertices.release();
    mesh->elements = data.elements.release();
    return mesh;
}

void BM_RaycastPlane(benchmark::State& state) {
    std::unique_ptr<Mesh> mesh(Mesh::createPlane(Matrix4x4()));
    Ray ray{Vector3(0.3f, -0.2f, 5), Vector3(0, 0, -1)};
    long before = allocations.load();
    for (auto _ : state) {
        RaycastInfo info;
        mesh->raycast(ray, &info);
        benchmark::DoNotOptimize(info.distance);
    }
    state.counters["allocations"] = static_cast<double>(allocations.load() - before);
}
BENCHMARK(BM_RaycastPlane);

void BM_RaycastSphere(benchmark::State& state) {
    std::unique_ptr<Mesh> mesh =
        sphereMesh(static_cast<int>(state.range(0)), static_cast<int>(state.range(0)) * 2);
    Ray ray{Vector3(0.1f, 0.2f, 5), Vector3(0, 0, -1)};
    RaycastInfo info;
    long before = allocations.load();
    for (auto _ : state) {
        info.distance = -1;
        mesh->raycast(ray, &info);
        benchmark::DoNotOptimize(info.distance);
    }
    state.counters["allocations"] = static_cast<double>(allocations.load() - before);
    state.counters["triangles"] = mesh->triangleCount();
    state.SetItemsProcessed(state.iterations() * mesh->triangleCount());
}
BENCHMARK(BM_RaycastSphere)->Arg(8)->Arg(32);

void BM_ComputeNormals(benchmark::State& state) {
    std::unique_ptr<Mesh> mesh = sphereMesh(32, 64);
    for (auto _ : state) {
        mesh->computeNormals();
        benchmark::DoNotOptimize(mesh->normals);
    }
    state.SetItemsProcessed(state.iterations() * mesh->triangleCount());
}
BENCHMARK(BM_ComputeNormals);

void BM_ParseObj(benchmark::State& state) {
    std::string text = sphereObj(32, 64);
    // The index diagnostics would only measure the terminal; this text has none.
    for (auto _ : state) {
        ObjData data;
        parseObj(text.data(), static_cast<int>(text.size()), &data);
        benchmark::DoNotOptimize(data.elements);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long>(text.size()));
}
BENCHMARK(BM_ParseObj);

std::string readSource(const char* name) {
    std::string path = std::string(QUANDRELS_SOURCE_DIR "/data/uv/") + name;
    FILE* f = std::fopen(path.c_str(), "rb");
    std::string text;
    if (!f) return text;
    char chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, n);
    std::fclose(f);
    return text;
}

void BM_MaterialRenderLitSphere(benchmark::State& state) {
    Window* window = nullptr;
    try {
        window = new Window("Quandrels bench", false, 256, 256);
    } catch (const char* message) {
        SDL_Quit();
        state.SkipWithError(message);
        return;
    }
    {
        std::string text = sphereObj(16, 32);
        Buffer obj;
        obj.write(text.data(), static_cast<int>(text.size()));
        Mesh mesh(GL_STATIC_DRAW);
        mesh.loadObj(&obj);
        std::string vertex = readSource("gouraud-shading.v.glsl");
        std::string fragment = readSource("gouraud-shading.f.glsl");
        Material material(new ShaderProgram(vertex.c_str(), fragment.c_str()));
        float lights[18] = {0, 0, 1, 0, 1, 1, 1, 1, 1, 1, 1, 0, 0, 180, 0, 0, 0, -1};
        material.lightsCount = 1;
        material.lights = lights;
        Matrix4x4 projection = Matrix4x4::perspective(60, 1, 0.1f, 10);
        Matrix4x4 view = Matrix4x4::lookAt(Vector3(0, 0, 3), Vector3(), Vector3(0, 1, 0));
        Matrix4x4 model;
        glViewport(0, 0, 256, 256);
        material.render(&projection, &view, &model, &mesh, nullptr);  // computes the normals once
        glFinish();
        long before = allocations.load();
        for (auto _ : state) {
            material.render(&projection, &view, &model, &mesh, nullptr);
        }
        glFinish();
        state.counters["allocations"] = static_cast<double>(allocations.load() - before);
        state.counters["triangles"] = mesh.triangleCount();
    }
    delete window;
    SDL_Quit();
}
BENCHMARK(BM_MaterialRenderLitSphere)->Unit(benchmark::kMicrosecond);

}  // namespace
