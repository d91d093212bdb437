#pragma once
// The recorded-value teach's store of recorded points and the searches the three
// views make in it, without widgets.

#include <optional>
#include <vector>

// One recorded point: the coordinates of a data frame (X, Y, INT or s, i, M).
struct RecordedPoint {
    double x, y, intensity;
};

// The three side views of the colour/intensity space.
enum class RecordView { XY, XInt, YInt };

// The two coordinates of a point a view shows: horizontal, vertical.
struct ViewCoordinates {
    double a, b;
    bool operator==(const ViewCoordinates&) const = default;
};
ViewCoordinates InView(const RecordedPoint& point, RecordView view);

class TeachRecordStore {
  public:
    static constexpr int CAPACITY = 60000;

    TeachRecordStore();

    int Count() const { return count_; }
    bool Full() const { return count_ >= CAPACITY; }
    // Stores the point behind the others; false when the store is full.
    bool Add(const RecordedPoint& point);
    // Forgets the points (the entries are overwritten by the next recording).
    void Reset() { count_ = 0; }
    // Entry k (0 <= k < Count()).
    const RecordedPoint& At(int k) const { return entries_[static_cast<size_t>(k)]; }

    // The first entry the view shows exactly at (a, b); entry 0 when none does.
    int FindEntry(RecordView view, ViewCoordinates at) const;
    // The entry the view shows nearest to (a, b), distances measured after scaling the
    // two coordinates by the view's pixels per unit; nothing when the store is empty.
    std::optional<int> NearestEntry(RecordView view, ViewCoordinates at, double scaleA,
                                    double scaleB) const;

  private:
    std::vector<RecordedPoint> entries_;
    int count_ = 0;
};
