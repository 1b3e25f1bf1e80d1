#pragma once

#include <QString>

// CD ripping with cdda2wav.
namespace cdrtools {

// Full path of cdda2wav; "" until the tool-paths window or config.qcf sets it.
extern QString Cdda2wavPath;

}  // namespace cdrtools
