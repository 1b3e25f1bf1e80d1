#pragma once

#include <QString>

struct MediaInfo;

// What "Analizar" tells about an input file.
namespace InputProbe {

// The probe's fields, one labelled line each in a fixed order, every line
// ending in "\n"; the labels stay in English, each value follows its label
// without blanks of its own, and an unknown value stays empty.
QString Report(const MediaInfo& info);

}  // namespace InputProbe
