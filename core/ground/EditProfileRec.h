#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <tuple>

#include "core/ground/RecordFile.h"

// Where the kept piece ends; a new profile holds Unset, which counts as AtPosition.
enum class TrimEnd : uint8_t { Unset = 0, AtPosition = 1, AfterDuration = 2 };
// How the length of the kept piece is given: the item of its unit list, and
// which of the three texts holds it.
enum class LengthUnit : uint8_t { Time = 0, Frames = 1, Bytes = 2 };
// How the display aspect is set; Unset counts as Keep.
enum class AspectSetting : uint8_t { Unset = 0, Keep = 1, FitFinalSize = 2, FromRatio = 3 };
// The unit of a size, a position or a border: the item of its box's unit
// list. Every list begins with these three; the lists of sizes and positions
// go on with the output's sides, each list in its own order, so that those
// units are known by their place in the list (SizeUnit(3), SizeUnit(4)).
enum class SizeUnit : uint8_t { Pixels = 0, InputWidth = 1, InputHeight = 2 };

// An editing profile: one .qep file in appfiles/editp, named after the
// profile; ".qep" (empty name) is the "<Manual>" profile. Numbers are texts as
// the user typed them; the units are the items chosen in their lists.
struct EditProfileRec {
  QString StartPos;
  TrimEnd EndMode = TrimEnd::Unset;  // at EndPos, or after Duration
  QString EndPos;
  std::array<QString, 3> Duration;  // time text, frames, bytes
  LengthUnit DurationUnit = LengthUnit::Time;
  QString CropWidth;
  SizeUnit CropWidthUnit = SizeUnit::Pixels;
  QString CropHeight;
  SizeUnit CropHeightUnit = SizeUnit::Pixels;
  QString CropLeft;
  SizeUnit CropLeftUnit = SizeUnit::Pixels;
  QString CropTop;
  SizeUnit CropTopUnit = SizeUnit::Pixels;
  QString ResizeWidth;
  SizeUnit ResizeWidthUnit = SizeUnit::Pixels;
  QString ResizeHeight;
  SizeUnit ResizeHeightUnit = SizeUnit::Pixels;
  AspectSetting AspectMode = AspectSetting::Unset;  // FromRatio takes AspectRatio
  QString AspectRatio;
  QString Volume;             // percent; "" and "100" change nothing
  DynArray<QString> Filters;  // filter names: audio, then video, then complex
  QString BorderTop;
  SizeUnit BorderTopUnit = SizeUnit::Pixels;
  QString BorderBottom;
  SizeUnit BorderBottomUnit = SizeUnit::Pixels;
  QString BorderLeft;
  SizeUnit BorderLeftUnit = SizeUnit::Pixels;
  QString BorderRight;
  SizeUnit BorderRightUnit = SizeUnit::Pixels;
  QString BorderColor;  // "RRGGBB"; "" is black
  bool RemoveAudio = false;
  bool RemoveVideo = false;
  bool RemoveSubtitles = false;
  // Ten bands of three texts: band b is elements 3b-3 (frequency, Hz),
  // 3b-2 (gain, dB) and 3b-1 (width, octaves), counting from 0.
  std::array<QString, 30> Equalizer;
  QString InputParams;
  QString OutputParams;

  using E = EditProfileRec;
  static constexpr auto Fields =
      std::tuple{&E::StartPos,         &E::EndMode,     &E::EndPos,          &E::Duration,
                 &E::DurationUnit,     &E::CropWidth,   &E::CropWidthUnit,   &E::CropHeight,
                 &E::CropHeightUnit,   &E::CropLeft,    &E::CropLeftUnit,    &E::CropTop,
                 &E::CropTopUnit,      &E::ResizeWidth, &E::ResizeWidthUnit, &E::ResizeHeight,
                 &E::ResizeHeightUnit, &E::AspectMode,  &E::AspectRatio,     &E::Volume,
                 &E::Filters,          &E::BorderTop,   &E::BorderTopUnit,   &E::BorderBottom,
                 &E::BorderBottomUnit, &E::BorderLeft,  &E::BorderLeftUnit,  &E::BorderRight,
                 &E::BorderRightUnit,  &E::BorderColor, &E::RemoveAudio,     &E::RemoveVideo,
                 &E::RemoveSubtitles,  &E::Equalizer,   &E::InputParams,     &E::OutputParams};
  bool operator==(const EditProfileRec&) const = default;
};
