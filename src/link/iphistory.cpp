#include "link/iphistory.h"

void AddToIpHistory(QStringList& history, const QString& address) {
    history.removeAll(address);
    history.prepend(address);
    while (history.size() > IP_HISTORY_MAX) history.removeLast();
}
