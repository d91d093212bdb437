// GO loop throughput against the simulated sensor, printed as figures:
//  1. TCP on 127.0.0.1 with every display live (offscreen), next to a bare loop doing
//     the same transactions without any user interface, measured in the same run;
//  2. the pseudo-terminal at 115200 Bd, next to the line-rate bound;
//  3. resident memory after 1,000 and after 100,000 frames;
//  4. the colour-space graphs: GO over TCP with the 2D or the 3D page visible at two
//     window sizes, next to the same loop with the graph pages hidden; GO over the
//     pseudo-terminal with the graphs live; the cost of one full replot of a page with
//     31 tolerance ellipses in every graph.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <qcustomplot.h>
#include <cstdlib>

#include "cpu.h"
#include "support/rig.h"

namespace {

struct Figures {
    long frames = 0;
    double wall = 0;
    double cpu = 0;
    double Rate() const { return frames / wall; }
    double CpuMicrosPerFrame() const { return 1e6 * cpu / std::max(1L, frames); }
};

// Runs the program's GO loop until `seconds` pass or `maxFrames` frames arrived.
Figures RunGo(Program& p, double seconds, long maxFrames) {
    Figures f;
    const auto counting = QObject::connect(&p.acquisition, &AcquisitionLoop::FrameArrived, [&] {
        if (++f.frames >= maxFrames) p.flags.goRunning = false;
    });
    QTimer::singleShot(static_cast<int>(seconds * 1000), &p, [&] { p.flags.goRunning = false; });
    QElapsedTimer clock;
    clock.start();
    const double cpu = CpuSeconds();
    p.panels.mainUi.ButtonGo->click();
    f.wall = clock.elapsed() / 1000.0;
    f.cpu = CpuSeconds() - cpu;
    QObject::disconnect(counting);
    return f;
}

// The same transactions with nothing but the decode.
Figures RunBare(Program& p, double seconds) {
    Figures f;
    QElapsedTimer clock;
    clock.start();
    const double cpu = CpuSeconds();
    while (clock.elapsed() < seconds * 1000) {
        if (!p.link.Transact(BuildFrame(p.link.buffers, ORDER_GET_DATA, 0, 0, 0))) break;
        p.acquisition.DecodeDataFrame();
        ++f.frames;
    }
    f.wall = clock.elapsed() / 1000.0;
    f.cpu = CpuSeconds() - cpu;
    return f;
}

void ConnectTcp(Rig& rig) {
    rig.SelectTcp();
    rig.program.comm.TryToConnect();
}

struct GraphPage {
    const char* name;
    int calculationMode;
    int page;
};
const GraphPage GRAPH_PAGES[] = {{"2D", CALC_XYINT_2D, DATA_PAGE_2D},
                                 {"3D", CALC_XYINT_3D, DATA_PAGE_3D}};

// The mode as the operator picks it, so the taught table is converted with it.
void ShowGraphPage(Program& p, const GraphPage& page, bool graphsVisible) {
    QComboBox* mode = p.panels.mainUi.EditCalcmode;
    if (mode->currentIndex() != page.calculationMode) {
        mode->setCurrentIndex(page.calculationMode);
        emit mode->activated(page.calculationMode);
    }
    p.panels.datap.ui.TabDataP1->setCurrentIndex(page.page);
    p.panels.datap.ui.TabDataP1->setVisible(graphsVisible);
}

void BenchGraphsOverTcp() {
    for (QSize size : {QSize(790, 548), QSize(1280, 800)}) {
        for (const GraphPage& page : GRAPH_PAGES) {
            Rig rig;
            ConnectTcp(rig);
            Program& p = rig.program;
            p.window.resize(size);
            p.window.show();
            ShowGraphPage(p, page, true);
            const Figures shown = RunGo(p, 3.0, 1L << 40);
            ShowGraphPage(p, page, false);
            const Figures hidden = RunGo(p, 3.0, 1L << 40);
            std::printf(
                "GO over TCP %4dx%-4d %s page: %7.0f frames/s %6.1f us CPU/frame; graph pages "
                "hidden: %7.0f frames/s %6.1f us CPU/frame; ratio %.2f (target >= 0.90)\n",
                size.width(), size.height(), page.name, shown.Rate(), shown.CpuMicrosPerFrame(),
                hidden.Rate(), hidden.CpuMicrosPerFrame(), shown.Rate() / hidden.Rate());
        }
    }
}

void BenchGraphsOverSerial() {
    for (const GraphPage& page : GRAPH_PAGES) {
        Rig rig;
        rig.SelectSerial();
        rig.program.comm.TryToConnect();
        rig.program.window.show();
        ShowGraphPage(rig.program, page, true);
        const Figures go = RunGo(rig.program, 3.0, 1L << 40);
        const double bound = SERIAL_FRAME_BOUND;
        std::printf(
            "GO over the pseudo-terminal, %s page live: %.1f frames/s, %.1f %% of the %.1f "
            "bound (target >= 95 %%)\n",
            page.name, go.Rate(), 100.0 * go.Rate() / bound, bound);
    }
}

// 31 distinct counted rows, so every ellipse is drawn somewhere in the window.
void FillTable(Program& p) {
    for (int r = 0; r < TEACH_ROWS; ++r) {
        const uint16_t x = static_cast<uint16_t>(300 + 80 * r), y = static_cast<uint16_t>(2800 - 70 * r);
        p.parameterSet.table[r] = {{x, y, 1000, 60, 100}, 0, 0, 0};
    }
}

void BenchFullReplot() {
    Rig rig;
    Program& p = rig.program;
    p.window.resize(1280, 800);
    p.window.show();
    Ui::DATAP& d = p.panels.datap.ui;
    const struct {
        const GraphPage& page;
        QList<QCustomPlot*> plots;
    } pages[] = {{GRAPH_PAGES[0], {d.Graph2D, d.Graph2DInt}},
                 {GRAPH_PAGES[1], {d.Graph3DXY, d.Graph3DXInt, d.Graph3DYInt, d.GraphRGB3D}}};
    MeasurementFrame frame{};
    frame.x = 1500;
    frame.y = 1500;
    frame.intensity = 1000;
    for (const auto& [page, plots] : pages) {
        ShowGraphPage(p, page, true);
        FillTable(p);
        p.graphs.DrawTeachTolerances();
        for (int k = 0; k < 100; ++k) p.graphs.UpdateGraphHistories(frame);
        p.graphs.PlotLiveGraphs(frame);
        constexpr int rounds = 50;
        QElapsedTimer clock;
        clock.start();
        for (int k = 0; k < rounds; ++k)
            for (QCustomPlot* plot : plots) plot->replot(QCustomPlot::rpImmediateRefresh);
        std::printf(
            "full replot of the %s page (1280x800, 31 ellipses in every colour-space graph): "
            "%.2f ms (target < 5 ms)\n",
            page.name, clock.nsecsElapsed() / 1e6 / rounds);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    {
        Rig rig;
        ConnectTcp(rig);
        rig.program.window.show();
        const Figures go = RunGo(rig.program, 3.0, 1L << 40);
        const Figures bare = RunBare(rig.program, 3.0);
        std::printf("GO loop over TCP, displays live: %8.0f frames/s  %6.1f us CPU/frame\n",
                    go.Rate(), go.CpuMicrosPerFrame());
        std::printf("bare loop over TCP, no interface: %8.0f frames/s  %6.1f us CPU/frame\n",
                    bare.Rate(), bare.CpuMicrosPerFrame());
        std::printf("ratio GO / bare: %.2f (target >= 0.50)\n", go.Rate() / bare.Rate());
    }
    {
        Rig rig;
        rig.SelectSerial();
        rig.program.comm.TryToConnect();
        rig.program.window.show();
        const Figures go = RunGo(rig.program, 3.0, 1L << 40);
        const Figures bare = RunBare(rig.program, 3.0);
        const double bound = SERIAL_FRAME_BOUND;
        std::printf(
            "GO loop over the pseudo-terminal at 115200 Bd: %.1f frames/s, bound %.1f, "
            "%.1f %% (target >= 95 %%)\n",
            go.Rate(), bound, 100.0 * go.Rate() / bound);
        std::printf("bare loop over the pseudo-terminal: %.1f frames/s, %.1f %% of the bound\n",
                    bare.Rate(), 100.0 * bare.Rate() / bound);
    }
    {
        Rig rig;
        ConnectTcp(rig);
        rig.program.window.show();
        RunGo(rig.program, 600.0, 1000);
        const double after1k = ResidentMiB();
        RunGo(rig.program, 600.0, 99000);
        const double after100k = ResidentMiB();
        std::printf(
            "resident memory: %.2f MiB after 1,000 frames, %.2f MiB after 100,000 frames, "
            "growth %.2f MiB (target <= 1 MiB)\n",
            after1k, after100k, after100k - after1k);
    }
    BenchGraphsOverTcp();
    BenchGraphsOverSerial();
    BenchFullReplot();
    return 0;
}
