// The exit check: which sibling programs still run, and the text that says so.
#pragma once
#include <functional>
#include <string>

namespace menu {

// Probes one named mutex the way the exit check does: create it with initial ownership, note
// whether it already existed, and close it again at once, so that a mutex the probe itself made
// disappears. True when it already existed (its program runs).
bool ProbeMutexHeld(const std::string& strMutex);

// Probes the four sibling mutexes in table order and collects the running programs' lines, one
// per line ("\r\n" between them), followed by "\r\n先に終了させてください。". Empty when none runs
// (the check passes).
std::string ExitCheckText(const std::function<bool(const std::string&)>& isRunning);

}  // namespace menu
