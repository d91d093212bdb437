// Recorded-value teach throughput against the simulated sensor, printed as figures:
//  1. 60,000 frames over TCP with TEACHP2 visible at 1280x800: the rate over the first
//     and over the last 5,000 frames (a cloud that costs more as it grows shows here),
//     the overall rate next to a bare transaction loop in the same run, CPU per frame,
//     and resident memory with the full store;
//  2. a cursor pick on the full store, from the click to the repainted views;
//  3. recording over the pseudo-terminal at 115200 Bd, next to the line-rate bound.
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <qcustomplot.h>
#include <vector>

#include "cpu.h"
#include "support/rig.h"

namespace {

constexpr int WINDOW_FRAMES = 5000;

// Store counts against the time since START, taken every few milliseconds.
struct Progress {
    std::vector<std::pair<double, int>> samples;
    double wall = 0;
    double cpu = 0;

    // Frames per second between the samples next to the counts lo and hi.
    double RateBetween(int lo, int hi) const {
        auto at = [&](int count) {
            for (const auto& s : samples)
                if (s.second >= count) return s;
            return samples.back();
        };
        const auto a = lo == 0 ? std::pair<double, int>{0.0, 0} : at(lo);
        const auto b = at(hi);
        return (b.second - a.second) / std::max(1e-9, b.first - a.first);
    }
};

Progress Record(Rig& rig, double seconds) {
    Program& p = rig.program;
    Progress progress;
    QElapsedTimer clock;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        progress.samples.emplace_back(clock.nsecsElapsed() / 1e9, p.recordTeach.Store().Count());
        if (clock.elapsed() > seconds * 1000) p.flags.goRunning = false;
    });
    sampler.start(2);
    clock.start();
    const double cpu = CpuSeconds();
    p.panels.teachp2.ui.ButtonTP2Start->click();
    progress.wall = clock.nsecsElapsed() / 1e9;
    progress.cpu = CpuSeconds() - cpu;
    progress.samples.emplace_back(progress.wall, p.recordTeach.Store().Count());
    return progress;
}

double BareRate(Program& p, double seconds) {
    QElapsedTimer clock;
    clock.start();
    long frames = 0;
    while (clock.elapsed() < seconds * 1000) {
        if (!p.link.Request({.order = ORDER_GET_DATA})) break;
        p.acquisition.DecodeDataFrame();
        ++frames;
    }
    return frames / (clock.nsecsElapsed() / 1e9);
}

// Connected over TCP or the pseudo-terminal, TEACHP2 shown at 1280x800.
void ShowTeachp2(Rig& rig, bool tcp) {
    tcp ? rig.SelectTcp() : rig.SelectSerial();
    rig.program.comm.TryToConnect();
    rig.program.window.resize(1280, 800);
    rig.program.window.show();
    rig.program.panels.mainUi.ButtonTeachRecVal->click();
    QCoreApplication::processEvents();
}

// From the click to the three views repainted; a click at the newest point makes the
// exact search run through the whole store.
double PickMillis(Program& p, bool atNewest) {
    QCustomPlot* xy = p.panels.teachp2.ui.GraphXYTP2;
    const TeachRecordStore& store = p.recordTeach.Store();
    const RecordedPoint& newest = store.At(store.Count() - 1);
    const QPoint at = atNewest ? QPoint(static_cast<int>(xy->xAxis->coordToPixel(newest.x)),
                                        static_cast<int>(xy->yAxis->coordToPixel(newest.y)))
                               : xy->axisRect()->rect().center();
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(xy, Qt::LeftButton, {}, at);
    for (QCustomPlot* plot : {xy, p.panels.teachp2.ui.GraphXIntTP2, p.panels.teachp2.ui.GraphYIntTP2})
        plot->repaint();
    return clock.nsecsElapsed() / 1e6;
}

void BenchTcp() {
    Rig rig;
    ShowTeachp2(rig, true);
    const Progress run = Record(rig, 600.0);
    const int total = rig.program.recordTeach.Store().Count();
    if (total != TeachRecordStore::CAPACITY)
        std::printf("WARNING: the recording ended early, the figures below mean little\n");
    const double first = run.RateBetween(0, WINDOW_FRAMES);
    const double last = run.RateBetween(total - WINDOW_FRAMES, total);
    const double overall = total / run.wall;
    const double bare = BareRate(rig.program, 3.0);
    std::printf("recorded %d frames over TCP, TEACHP2 visible at 1280x800, in %.2f s\n", total,
                run.wall);
    std::printf("  first %d: %7.0f frames/s; last %d: %7.0f frames/s; ratio %.2f (target >= 0.80)\n",
                WINDOW_FRAMES, first, WINDOW_FRAMES, last, last / first);
    std::printf("  overall %7.0f frames/s %6.1f us CPU/frame; bare loop %7.0f frames/s; ratio %.2f "
                "(target >= 0.80)\n",
                overall, 1e6 * run.cpu / std::max(1, total), bare, overall / bare);
    std::printf("  resident memory with the full store: %.1f MiB\n", ResidentMiB());
    double worst = 0;
    for (int k = 0; k < 20; ++k) worst = std::max(worst, PickMillis(rig.program, k % 2 == 1));
    std::printf("cursor pick on the full store, click to three views repainted: %.2f ms worst of 20 "
                "(target < 16.7 ms)\n",
                worst);
}

void BenchSerial() {
    Rig rig;
    ShowTeachp2(rig, false);
    const Progress run = Record(rig, 3.0);
    const double rate = rig.program.recordTeach.Store().Count() / run.wall;
    const double bound = SERIAL_FRAME_BOUND;
    std::printf("recording over the pseudo-terminal: %.1f frames/s, %.1f %% of the %.1f bound "
                "(target >= 95 %%)\n",
                rate, 100.0 * rate / bound, bound);
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    BenchTcp();
    BenchSerial();
    return 0;
}
