#pragma once

// The windows that modules ask for (the dialogs, the file manager and the
// editors it opens, the text viewer, the player), handed to them when the
// program starts.
namespace WindowServices {

// Into the running program's AppState.
void Install();

}  // namespace WindowServices
