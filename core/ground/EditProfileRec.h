#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <tuple>

#include "core/ground/RecordFile.h"

// An editing profile: one .qep file in appfiles/editp, named after the
// profile; ".qep" (empty name) is the "<Manual>" profile. Numbers are texts as
// the user typed them; the unit bytes are the item indexes of their lists.
struct EditProfileRec {
  QString StartPos;
  uint8_t EndMode = 0;  // 1 at EndPos, 2 after Duration; 0 counts as 1
  QString EndPos;
  std::array<QString, 3> Duration;  // time text, frames, bytes
  uint8_t DurationUnit = 0;         // index into Duration
  QString CropWidth;
  uint8_t CropWidthUnit = 0;
  QString CropHeight;
  uint8_t CropHeightUnit = 0;
  QString CropLeft;
  uint8_t CropLeftUnit = 0;
  QString CropTop;
  uint8_t CropTopUnit = 0;
  QString ResizeWidth;
  uint8_t ResizeWidthUnit = 0;
  QString ResizeHeight;
  uint8_t ResizeHeightUnit = 0;
  uint8_t AspectMode = 0;  // 1 keep, 2 fit the final size, 3 AspectRatio; 0 counts as 1
  QString AspectRatio;
  QString Volume;  // percent; "" and "100" change nothing
  DynArray<QString> Filters;  // filter names: audio, then video, then complex
  QString BorderTop;
  uint8_t BorderTopUnit = 0;
  QString BorderBottom;
  uint8_t BorderBottomUnit = 0;
  QString BorderLeft;
  uint8_t BorderLeftUnit = 0;
  QString BorderRight;
  uint8_t BorderRightUnit = 0;
  QString BorderColor;  // "RRGGBB"; "" is black
  uint8_t RemoveAudio = 0;
  uint8_t RemoveVideo = 0;
  uint8_t RemoveSubtitles = 0;
  // Ten bands of three texts: band b is elements 3b-3 (frequency, Hz),
  // 3b-2 (gain, dB) and 3b-1 (width, octaves), counting from 0.
  std::array<QString, 30> Equalizer;
  QString InputParams;
  QString OutputParams;

  using E = EditProfileRec;
  static constexpr auto Fields = std::tuple{
      &E::StartPos,        &E::EndMode,          &E::EndPos,           &E::Duration,
      &E::DurationUnit,    &E::CropWidth,        &E::CropWidthUnit,    &E::CropHeight,
      &E::CropHeightUnit,  &E::CropLeft,         &E::CropLeftUnit,     &E::CropTop,
      &E::CropTopUnit,     &E::ResizeWidth,      &E::ResizeWidthUnit,  &E::ResizeHeight,
      &E::ResizeHeightUnit, &E::AspectMode,      &E::AspectRatio,      &E::Volume,
      &E::Filters,         &E::BorderTop,        &E::BorderTopUnit,    &E::BorderBottom,
      &E::BorderBottomUnit, &E::BorderLeft,      &E::BorderLeftUnit,   &E::BorderRight,
      &E::BorderRightUnit, &E::BorderColor,      &E::RemoveAudio,      &E::RemoveVideo,
      &E::RemoveSubtitles, &E::Equalizer,        &E::InputParams,      &E::OutputParams};
  bool operator==(const EditProfileRec&) const = default;
};
