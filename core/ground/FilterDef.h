#pragma once

#include <QString>
#include <cstdint>
#include <tuple>

#include "core/ground/RecordFile.h"

// Where a filter goes on the command line.
enum class FilterType : uint8_t { Audio = 0, Video = 1, Complex = 2 };  // -af, -vf, -filter_complex

// A named piece of ffmpeg filter text: one .qfl file in appfiles/filters,
// named after the filter.
struct FilterDef {
  FilterType Type = FilterType::Audio;
  bool MultiInput = false;  // needs several input files
  QString Params;           // the filter text as typed

  static constexpr auto Fields =
      std::tuple{&FilterDef::Type, &FilterDef::MultiInput, &FilterDef::Params};
  bool operator==(const FilterDef&) const = default;
};
