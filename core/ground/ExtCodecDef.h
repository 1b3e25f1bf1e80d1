#pragma once

#include <QString>

#include <cstdint>
#include <tuple>

#include "core/ground/RecordFile.h"

// One command-line parameter of an external encoder. The labels "<InFile>"
// and "<OutFile>" mark where the file names go.
struct ExtCodecParam {
  QString Label;
  uint8_t Kind = 0;  // 0 optional, 1 required, 2 optional without value (a switch)
  static constexpr uint8_t KindRequired = 1;
  static constexpr uint8_t KindSwitch = 2;
  QString Switch;
  QString Default;
  QString Suggested;  // one value per line, CR LF between lines
  uint8_t OnlySuggested = 0;
  QString Value;

  static constexpr auto Fields =
      std::tuple{&ExtCodecParam::Label,     &ExtCodecParam::Kind,          &ExtCodecParam::Switch,
                 &ExtCodecParam::Default,   &ExtCodecParam::Suggested,     &ExtCodecParam::OnlySuggested,
                 &ExtCodecParam::Value};
  bool operator==(const ExtCodecParam&) const = default;
};

// An encoder program used in place of one of ffmpeg's own encoders; a .qca
// (audio) or .qcv (video) file, and embedded in a format profile.
struct ExtCodecDef {
  QString About;
  QString ExePath;  // stored relative to the program folder when it lies inside it
  DynArray<ExtCodecParam> Params{0, {}};  // command-line order, lower bound 0
  QString FfmpegParams;
  QString FfmpegExt;
  QString OutputExt;
  DynArray<uint8_t> Editable;  // 1-based; 6 entries for audio, 10 for video
  DynArray<QString> Values;    // same index as Editable

  static constexpr auto Fields =
      std::tuple{&ExtCodecDef::About,     &ExtCodecDef::ExePath,   &ExtCodecDef::Params,
                 &ExtCodecDef::FfmpegParams, &ExtCodecDef::FfmpegExt, &ExtCodecDef::OutputExt,
                 &ExtCodecDef::Editable,  &ExtCodecDef::Values};
  bool operator==(const ExtCodecDef&) const = default;
};
