#pragma once
// The screen's pace for fast loops: a request within INTERVAL_MS of the last showing
// waits, and the newest state is shown once the interval is over, so a fast sensor is
// not slowed down by repainting.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

class DisplayPace : public QObject {
    Q_OBJECT
  public:
    static constexpr int INTERVAL_MS = 40;

    explicit DisplayPace(std::function<void()> show);
    // Something new waits to be shown.
    void Request();
    // Shows now what waits (and starts a new interval).
    void Flush();

  private:
    std::function<void()> show_;
    QElapsedTimer sinceShown_;
    QTimer timer_;
};
