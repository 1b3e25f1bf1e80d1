#pragma once

#include <QString>

#include "editing/EditProfileRec.h"

// The editing profile's record and file side.
namespace MediaEdit {

// appfiles/editp/.qep: the nameless profile behind the main window's "<Manual>".
QString ScratchProfilePath();

// The default centre frequency of band 1 to 10, in Hz.
QString DefaultBandFrequency(int band);

// Gives every equaliser text that is not a number its band's default: the
// band's centre frequency, gain "0", width "1". Numbers stay as they are.
void NormalizeEqualizer(EditProfileRec& profile);

}  // namespace MediaEdit
