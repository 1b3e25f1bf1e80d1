#pragma once

#include <QString>

#include <cstdint>
#include <tuple>

#include "core/ground/RecordFile.h"

// A named piece of ffmpeg filter text: one .qfl file in appfiles/filters,
// named after the filter.
struct FilterDef {
  uint8_t Type = 0;        // 0 audio (-af), 1 video (-vf), 2 complex (-filter_complex)
  uint8_t MultiInput = 0;  // 1 = needs several input files
  QString Params;          // the filter text as typed

  static constexpr auto Fields = std::tuple{&FilterDef::Type, &FilterDef::MultiInput, &FilterDef::Params};
  bool operator==(const FilterDef&) const = default;
};
