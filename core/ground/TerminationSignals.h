#pragma once

#include <functional>

// A request to end the program from outside (SIGTERM at logout or from kill,
// SIGHUP when its terminal goes, SIGINT from Ctrl+C) calls close from the
// event loop, so that the program ends its children and keeps its settings
// instead of vanishing on the spot.
namespace TerminationSignals {

// Installs the handlers once; a later call replaces close.
void Install(std::function<void()> close);

}  // namespace TerminationSignals
