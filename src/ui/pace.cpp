#include "ui/pace.h"

DisplayPace::DisplayPace(std::function<void()> show) : show_(std::move(show)) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &DisplayPace::Flush);
}

void DisplayPace::Request() {
    if (!sinceShown_.isValid() || sinceShown_.elapsed() >= INTERVAL_MS)
        Flush();
    else if (!timer_.isActive())
        timer_.start(INTERVAL_MS - static_cast<int>(sinceShown_.elapsed()));
}

void DisplayPace::Flush() {
    timer_.stop();
    sinceShown_.start();
    show_();
}
