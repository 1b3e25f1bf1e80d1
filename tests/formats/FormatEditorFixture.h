#pragma once

#include "TestEnv.h"
#include "core/formats/FormatEditor.h"
#include "core/frame/FfmpegTools.h"
#include "gui/formats/FormatEditorWindow.h"

// The format editor's window on short lists of codecs and formats, with the
// editor's state reset before and after each test.
class FormatEditorWindowFixture : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    FfmpegTools::InitOptionNames();
    FormatEditor::ResetEditState();
    FormatEditor::ResetCapabilityLists();
    FormatEditor::State().Capabilities.AudioEncoders = {1, {"copy", "aac", "mp2"}};
    FormatEditor::State().Capabilities.VideoEncoders = {1, {"copy", "mpeg4"}};
    FormatEditor::State().Capabilities.AudioDecoders = {1, {"aac", "mp3float"}};
    FormatEditor::State().Capabilities.VideoDecoders = {1, {"h264"}};
    FormatEditor::State().Capabilities.MuxerFormats = {1, {"<copy>", "mp4"}};
    FormatEditor::State().Capabilities.DemuxerFormats = {1, {"mov", "mp4"}};
  }
  void TearDown() override {
    delete window_;
    FormatEditor::ResetEditState();
    FormatEditor::ResetCapabilityLists();
    FfmpegTools::State().FfmpegPath.clear();
    TestEnv::TearDown();
  }
  // The window as the program loads it, not shown yet.
  FormatEditorWindow& Load() {
    window_ = new FormatEditorWindow;
    window_->Load();
    return *window_;
  }
  // The rows of a category, as picking it in the window shows them.
  void Show(FormatEditor::Category category) {
    FormatEditor::State().CurrentCategory = category;
    FormatEditor::BuildCategoryParams(category);
  }

  FormatEditorWindow* window_ = nullptr;
};
