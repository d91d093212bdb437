#pragma once
// The record file's bytes and the record time, without widgets: a header written when
// the file is chosen, then one tab-separated line per record, CR LF line ends.

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include "core/measurement.h"

constexpr double MIN_RECORD_INTERVAL = 0.25;

QByteArray RecordHeader(const QString& sensorId);
// The column names, tab-separated, without a line end.
QByteArray RecordColumns();
QByteArray RecordLine(const MeasurementFrame& frame, const QDateTime& now);

// Appends bytes to the file (creating it); false when it could not be written.
bool AppendToFile(const QString& path, const QByteArray& bytes);
// Replaces the file's contents with bytes (created when missing).
bool WriteNewFile(const QString& path, const QByteArray& bytes);

struct RecordTime {
    long long days, hours, minutes;
    double seconds;
};
RecordTime RecordTimeOf(double interval, int values);
