#pragma once

// The windows that modules ask for (the file manager, the text viewer, the
// player), handed to them once when the program starts.
namespace WindowServices {

void Install();

}  // namespace WindowServices
