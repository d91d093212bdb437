#pragma once
// SIGTERM, SIGINT and SIGHUP as an ordinary event: the handler runs in the event loop,
// so a stop from outside (a terminal, a service manager) ends the program the way a
// close request does.

#include <functional>

void OnTerminationSignal(std::function<void()> handler);
