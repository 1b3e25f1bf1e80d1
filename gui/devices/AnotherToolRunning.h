#pragma once

// A press in a device window that would start a tool while another tool keeps
// the runner (only one runs at a time): the user is told so, once, and the
// press does nothing else.
namespace AnotherToolRunning {

// True, after telling the user, when another tool keeps the runner.
bool Refuse();

}  // namespace AnotherToolRunning
