#pragma once

#include <QStringList>

constexpr int IP_HISTORY_MAX = 10;

// Puts address at the top of the history, without duplicates, at most 10 entries.
void AddToIpHistory(QStringList& history, const QString& address);
