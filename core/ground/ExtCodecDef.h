#pragma once

#include <QString>
#include <cstdint>
#include <tuple>

#include "core/ground/RecordFile.h"

// How an encoder's parameter is given.
enum class ParamKind : uint8_t {
  Optional = 0,  // given when it has a value
  Required = 1,  // always given, with its default
  Switch = 2,    // optional without value
};

// One command-line parameter of an external encoder. The labels "<InFile>"
// and "<OutFile>" mark where the file names go.
struct ExtCodecParam {
  QString Label;
  ParamKind Kind = ParamKind::Optional;
  QString Switch;
  QString Default;
  QString Suggested;  // one value per line, CR LF between lines
  bool OnlySuggested = false;
  QString Value;

  static constexpr auto Fields =
      std::tuple{&ExtCodecParam::Label,   &ExtCodecParam::Kind,      &ExtCodecParam::Switch,
                 &ExtCodecParam::Default, &ExtCodecParam::Suggested, &ExtCodecParam::OnlySuggested,
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
  DynArray<bool> Editable;   // 1-based; 6 entries for audio, 10 for video
  DynArray<QString> Values;  // same index as Editable

  static constexpr auto Fields =
      std::tuple{&ExtCodecDef::About,        &ExtCodecDef::ExePath,   &ExtCodecDef::Params,
                 &ExtCodecDef::FfmpegParams, &ExtCodecDef::FfmpegExt, &ExtCodecDef::OutputExt,
                 &ExtCodecDef::Editable,     &ExtCodecDef::Values};
  bool operator==(const ExtCodecDef&) const = default;
};
