#include "teach/recordstore.h"

ViewCoordinates InView(const RecordedPoint& p, RecordView view) {
    switch (view) {
        case RecordView::XY:
            return {p.x, p.y};
        case RecordView::XInt:
            return {p.x, p.intensity};
        case RecordView::YInt:
            break;
    }
    return {p.y, p.intensity};
}

TeachRecordStore::TeachRecordStore() : entries_(CAPACITY) {}

bool TeachRecordStore::Add(const RecordedPoint& point) {
    if (Full()) return false;
    entries_[static_cast<size_t>(count_++)] = point;
    return true;
}

int TeachRecordStore::FindEntry(RecordView view, ViewCoordinates at) const {
    for (int k = 0; k < count_; ++k)
        if (InView(At(k), view) == at) return k;
    return 0;
}

std::optional<int> TeachRecordStore::NearestEntry(RecordView view, ViewCoordinates at,
                                                  double scaleA, double scaleB) const {
    std::optional<int> nearest;
    double best = 0;
    for (int k = 0; k < count_; ++k) {
        const ViewCoordinates c = InView(At(k), view);
        const double da = (c.a - at.a) * scaleA, db = (c.b - at.b) * scaleB;
        const double distance = da * da + db * db;
        if (!nearest || distance < best) {
            nearest = k;
            best = distance;
        }
    }
    return nearest;
}
