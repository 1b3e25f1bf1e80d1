#pragma once

// The windows that modules ask for (the dialogs, the file manager and the
// editors it opens, the text viewer, the player), handed to them once when
// the program starts; and every window kept within its screen.
namespace WindowServices {

void Install();

}  // namespace WindowServices
