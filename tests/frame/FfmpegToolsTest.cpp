#include "InstalledTools.h"
#include "TestEnv.h"
#include "core/frame/FfmpegProbe.h"
#include "core/frame/FfmpegTools.h"
#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"

namespace {

TEST(FfmpegToolsCaptions, ParamCaptionsFollowTheLanguageInForce) {
  const ParamCaptions captions = Lang::GetParamCaptions();
  EXPECT_EQ(captions.ContainerFormat, "Formato de contenedor");
  EXPECT_EQ(captions.FrameSize, "Tamaño de cuadro (WxH,pixels)");
  EXPECT_EQ(captions.MultipleOutputFiles, "Múltiples archivos de salida");
}

class FfmpegToolsTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    ToolRunner::Reset();
    UseInstalledTools();
  }
};

TEST_F(FfmpegToolsTest, GuardsShowTheirMessageWhenTheToolIsMissing) {
  EXPECT_TRUE(FfmpegTools::FfmpegExists());
  EXPECT_TRUE(FfmpegTools::FfplayExists());
  EXPECT_TRUE(FfmpegTools::FfprobeExists());
  FfmpegTools::State().FfmpegPath = "";
  FfmpegTools::State().FfplayPath = Folder() + "/ffplay";
  FfmpegTools::State().FfprobePath = "";
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage().ExpectMessage().ExpectMessage().ExpectMessage();
  EXPECT_FALSE(FfmpegTools::FfmpegExists());
  EXPECT_FALSE(FfmpegTools::FfplayExists());
  EXPECT_FALSE(FfmpegTools::FfprobeExists());
  EXPECT_EQ(FfmpegProbe::ProbeMedia("/whatever.mp4"), MediaInfo{});
  EXPECT_EQ(dialogs.Messages(),
            (QStringList{"No se encuentra ffmpeg", "No se encuentra ffplay",
                         "No se encuentra ffprobe", "No se encuentra ffprobe"}));
  EXPECT_EQ(dialogs.Shown()[2].style,
            (Dialogs::MessageStyle{Dialogs::Buttons::Ok, Dialogs::Icon::Stop}));
}

}  // namespace
