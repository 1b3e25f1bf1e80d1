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
    FormatEditor::State().AudioEncoders = {1, {"copy", "aac", "mp2"}};
    FormatEditor::State().VideoEncoders = {1, {"copy", "mpeg4"}};
    FormatEditor::State().AudioDecoders = {1, {"aac", "mp3float"}};
    FormatEditor::State().VideoDecoders = {1, {"h264"}};
    FormatEditor::State().MuxerFormats = {1, {"<copy>", "mp4"}};
    FormatEditor::State().DemuxerFormats = {1, {"mov", "mp4"}};
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
