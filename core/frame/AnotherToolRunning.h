#pragma once

// A press that would start a tool while another tool keeps the runner (only
// one runs at a time): the user is told so, once, and the press does nothing
// else, instead of showing the empty answer of a tool that never ran.
namespace AnotherToolRunning {

// True, after telling the user, when another tool keeps the runner.
bool Refuse();

}  // namespace AnotherToolRunning
