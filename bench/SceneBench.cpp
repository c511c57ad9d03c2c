// Scene passes: a render pass through 210 transforms and renderers, a raycast through
// plane-mesh colliders, and screen rays. Each pass also reports the heap allocations it made
// (counted by the replaced operator new below), which should be zero once warm.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <new>

#include "render/Mesh.h"
#include "scene/Camera.h"
#include "scene/MeshCollider.h"
#include "scene/Renderer.h"
#include "scene/Scene.h"
#include "window/WindowEvents.h"

namespace {
long allocations = 0;
// Kept out of line so that the compiler does not pair an inlined new expression with free.
__attribute__((noinline)) void releaseBlock(void* p) { std::free(p); }
}  // namespace

void* operator new(std::size_t size) {
    allocations++;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { releaseBlock(p); }
void operator delete(void* p, std::size_t) noexcept { releaseBlock(p); }

namespace {

// Draws nothing; stands for the per-draw bookkeeping of a real renderer.
class NullRenderer : public Renderer {
public:
    long draws = 0;
    void render(Scene*, Matrix4x4*, Matrix4x4*, Matrix4x4* model) override {
        draws++;
        benchmark::DoNotOptimize(model->m[12]);
    }
};

Scene* cameraScene() {
    Scene* scene = new Scene;
    scene->viewport = Rect{0, 0, 854, 480};
    Camera* camera = new Camera(45, 0.1f, 100);
    scene->add(camera);
    scene->camera = camera;
    scene->sendBroadcast(Events::UPDATE);
    return scene;
}

void BM_RenderPass(benchmark::State& state) {
    Scene* scene = cameraScene();
    for (int g = 0; g < 10; g++) {
        Transform* group = new Transform;
        group->localMatrix.rotate(Vector3(0, 1, 0), 10.0f * static_cast<float>(g));
        scene->add(group);
        for (int i = 0; i < 20; i++) {
            NullRenderer* r = new NullRenderer;
            r->localMatrix = Matrix4x4(Vector3(static_cast<float>(i), 0, -5));
            r->layerMask = (i % 2) ? 1 : 2;
            group->add(r);
        }
    }
    scene->layerMask = 1;
    scene->render();
    long before = allocations;
    for (auto _ : state) scene->render();
    state.counters["allocs/pass"] =
        benchmark::Counter(static_cast<double>(allocations - before), benchmark::Counter::kAvgIterations);
    state.counters["nodes"] = 211;
    delete scene;
}
BENCHMARK(BM_RenderPass);

void BM_RaycastPass(benchmark::State& state) {
    const int colliders = static_cast<int>(state.range(0));
    Scene* scene = cameraScene();
    for (int i = 0; i < colliders; i++) {
        Transform* holder = new Transform;
        holder->localMatrix = Matrix4x4(Vector3(0, 0, -2.0f - static_cast<float>(i) * 0.1f));
        holder->localMatrix.rotate(Vector3(0, 0, 1), static_cast<float>(i) * 7);
        holder->add(new MeshCollider(Mesh::createPlane(Matrix4x4())));
        scene->add(holder);
    }
    Ray ray = scene->camera->getScreenRay(Vector2(0.5f, 0.5f));
    scene->raycast(ray);
    if (Scene::raycastInfo.results.size() != colliders) state.SkipWithError("every collider should be hit");
    long before = allocations;
    for (auto _ : state) scene->raycast(ray);
    state.counters["allocs/pass"] =
        benchmark::Counter(static_cast<double>(allocations - before), benchmark::Counter::kAvgIterations);
    state.counters["hits"] = Scene::raycastInfo.results.size();
    delete scene;
}
BENCHMARK(BM_RaycastPass)->Arg(7)->Arg(64);

void BM_ScreenRay(benchmark::State& state) {
    Scene* scene = cameraScene();
    float x = 0;
    for (auto _ : state) {
        x = x > 1 ? 0 : x + 0.01f;
        Ray ray = scene->camera->getScreenRay(Vector2(x, 0.5f));
        benchmark::DoNotOptimize(ray.direction.x);
    }
    delete scene;
}
BENCHMARK(BM_ScreenRay);

}  // namespace
