// Cost of the matrix operations that run once per scene node and draw call every frame.
#include <benchmark/benchmark.h>

#include "math/Matrix4x4.h"

namespace {

Matrix4x4 sampleMatrix() {
    Matrix4x4 m = Matrix4x4::rotation(Vector3(0.3f, -0.8f, 0.52f), 37);
    m.scale(Vector3(1.5f, 0.75f, 2));
    m.setBase(Vector3(4, -2, 0.5f));
    return m;
}

void BM_Mult(benchmark::State& state) {
    Matrix4x4 accumulated = sampleMatrix();
    Matrix4x4 other = Matrix4x4::perspective(60, 1.78f, 0.1f, 100);
    for (auto _ : state) {
        Matrix4x4 r = accumulated;
        r.mult(other, false);
        benchmark::DoNotOptimize(r);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Mult);

void BM_MultKeepBase(benchmark::State& state) {
    Matrix4x4 accumulated = sampleMatrix();
    Matrix4x4 other = Matrix4x4::rotation(Vector3(0, 1, 0), 3);
    for (auto _ : state) {
        Matrix4x4 r = accumulated;
        r.mult(other, true);
        benchmark::DoNotOptimize(r);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MultKeepBase);

void BM_Invert(benchmark::State& state) {
    Matrix4x4 m = sampleMatrix();
    for (auto _ : state) {
        benchmark::DoNotOptimize(m);
        Matrix4x4 r = m.invert();
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_Invert);

void BM_Inverse(benchmark::State& state) {
    Matrix4x4 m = sampleMatrix();
    for (auto _ : state) {
        benchmark::DoNotOptimize(m);
        Matrix4x4 r = m.inverse();
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_Inverse);

}  // namespace
