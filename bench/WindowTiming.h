#pragma once

// What the benchmarks of a dialog's opening share: the time from construction to the first paint.

#include <QtCore/QCoreApplication>

#include <benchmark/benchmark.h>

#include <chrono>

namespace ZelBench {

// Times, as the iteration's manual time, making a window with `makeShown`, showing it and painting
// it once; taking it down again is not counted.
template <typename MakeShown>
void TimeShown(benchmark::State& state, MakeShown makeShown)
{
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        const auto start = Clock::now();
        auto window = makeShown();
        window->show();
        QCoreApplication::processEvents();
        window->repaint();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        window.reset();
        QCoreApplication::processEvents();
    }
}

} // namespace ZelBench
