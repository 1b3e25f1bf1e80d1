#include "core/convert/ConversionRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <optional>

#include "core/convert/CommandTable.h"
#include "core/convert/ConversionState.h"
#include "core/convert/RunSteps.h"
#include "core/convert/SourceReach.h"
#include "core/frame/FfmpegConsole.h"
#include "core/frame/FfmpegReport.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/FfmpegValues.h"
#include "core/frame/Session.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ConsoleText.h"
#include "core/ground/FileServices.h"
#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"

namespace Conversion {

void ClearCommands() { State().Commands = CommandTable(); }

void ClearRun() {
  ClearCommands();
  State().Errors.clear();
  FileServices::DeleteFolder(State().TempDir);
  State().TempDir.clear();
}

namespace {

constexpr int KeptOutput = 4096;

// Why an input failed, if it did.
enum class InputFailure {
  None,
  ToolNotStarted,      // a step's tool could not start
  StepFailed,          // a step's tool ended badly or left its output unfinished
  OutputFolderFailed,  // the folder for numbered outputs could not be made
  TracksNotMoved,      // the encoded tracks could not be moved beside each other
  NothingWritten,      // a step ended well and wrote an output holding nothing
};

QString Cell(int row, int column) { return State().Commands.At(row, column); }
StageKind Kind(int row) { return State().Commands.Kind(row); }

// The temporary files of the track stages, named after the stage's row.
QString TempFile(const QString& stem, int row) {
  return State().TempDir + "/" + stem + "." + Cell(row, TableColumn::Extension);
}

bool HeadSet(int row) { return Kind(row) != StageKind::Empty; }

}  // namespace

// The run's steps, input by input; what they do is told through the run's signals.
class ConversionRun::Steps {
 public:
  Steps(ConversionRun& run, const QString& testTime, QList<QStringList> inputs,
        QStringList displayed)
      : run_(run),
        testTime_(testTime),
        test_(!testTime.isEmpty()),
        inputs_(std::move(inputs)),
        displayed_(std::move(displayed)) {}

  void Execute();

 private:
  bool StageMayRun(int row) const { return HeadSet(row) && !InputFailed() && !run_.stopRequested_; }
  bool InputFailed() const { return failure_ != InputFailure::None; }
  bool JoinedOutput() const {
    return State().Choices.OutputMode == OutputJoined ||
           State().Choices.OutputMode == OutputOneFile;
  }

  void Start();
  void RunInput(int i);
  void SetOutputPath(int i);
  void RunTrackStages();
  void RunFfmpegStage(int row, const QString& caption, QStringList& source, const QString& output);
  void RunEncodingStage(int row, const QString& caption, QStringList& source, const QString& output,
                        const QString& secondPassOutput);
  void RunJoiningStage();
  void RunConvertingStages();
  bool RunRow(int row, const QStringList& inputs, const QString& output);
  ToolRunner::RunResult RunTool(const CommandLine::Command& command, bool pipe, QString& capture,
                                int& exitCode);
  bool WritesTheOutput(int row) const;
  void NoteInputsRead(const StepCommand& step, bool isEncoder, const QStringList& inputs,
                      const QList<int>& mappedInputs);
  QString OutputForFfmpeg() const;
  void SetStage(const QString& caption, bool stopEnabled);
  void RecordFailure();
  void AddError(const FailedStep& error);
  void RemovePartialOutput();
  bool OutputWritten() const;
  QStringList SourcesOfOutput(int i) const;
  void JudgeReading(int i);
  QList<SourceReading> ReadSources(const QStringList& sources);
  SourceReading ReadAlone(const QString& file);
  void JudgeJoin(const QList<SourceReading>& readings);
  void ReportPartlyRead(const QString& file, double read, double length);
  ReadVerdict VerdictOf(const QString& source) const;
  ReadVerdict LeastVerdict(const QStringList& sources) const;
  void FinishInput(int i);
  void ReportUnreadSources(const QStringList& read);
  void ReplaceOlderFile(int i, const QStringList& read);
  void ReportKept(const QString& file, const QString& option, const QString& description);
  void End();
  TestResult TestReport() const;

  ConversionRun& run_;
  const QString testTime_;
  const bool test_;
  const QList<QStringList> inputs_;
  const QStringList displayed_;  // the path shown for each input
  int failures_ = 0;
  std::optional<FfmpegReport::Log> log_;  // where ffmpeg reports each step
  QStringList runOutputs_;  // what the run's earlier inputs wrote, under their final names
  QString file_;            // what the current input's failures are filed under
  QString stage_;           // the caption of the current stage

  // The current input.
  QStringList audio_, video_, audioStart_, videoStart_;
  QString output_, desired_;
  InputFailure failure_ = InputFailure::None;
  QString failedCommand_;
  QString capture_;
  QStringList moved_;
  QStringList created_;           // files the input's steps made where nothing was
  QString createdFolder_;         // the folder made for numbered outputs
  QList<int> inputsRead_;         // places in the input's group that an output took streams from
  bool readUnconfirmed_ = false;  // a step read the input's files and named none of them
  // The output is finished: the step writing it ended well, before a stop or
  // after a clean one.
  bool outputFinished_ = false;
  std::optional<double> outputSeconds_;  // how long the output became, as ffmpeg told

  // How far the input's sources were read.
  StepsReach reach_;
  QMap<QString, ReadVerdict> verdicts_;           // each source judged, by its path in the list
  ReadVerdict joinVerdict_ = ReadVerdict::Whole;  // of all the sources that were joined
  // A step that ffmpeg told could not read one of its inputs to the end: the
  // input fails unless a source read only in part explains it.
  struct UnreadInput {
    QString Command, Console, Stage;
  };
  std::optional<UnreadInput> unreadInput_;
  QString lastCommand_, lastConsole_;  // the last step that ended well, which a shortfall names
};

void ConversionRun::Steps::Execute() {
  Start();
  for (int i = 0; i < inputs_.size() && !run_.stopRequested_; ++i) RunInput(i);
  End();
}

void ConversionRun::Steps::Start() {
  run_.stopRequested_ = false;
  run_.forcedStop_ = false;
  runOutputs_.clear();
  log_.emplace(FfmpegReport::VerboseLevel);
  State().Running = true;
  State().Errors.clear();
  emit run_.Started();
}

void ConversionRun::Steps::RunInput(int i) {
  moved_.clear();
  file_ = JoinedOutput() ? Lang::TxtAllFiles() : displayed_.value(i);
  stage_.clear();
  emit run_.InputStarted(i, int(inputs_.size()), file_);
  audio_ = video_ = audioStart_ = videoStart_ = inputs_.at(i);
  failure_ = InputFailure::None;
  failedCommand_.clear();
  capture_.clear();
  created_.clear();
  createdFolder_.clear();
  inputsRead_.clear();
  readUnconfirmed_ = false;
  outputFinished_ = false;
  outputSeconds_.reset();
  reach_ = StepsReach();
  verdicts_.clear();
  joinVerdict_ = ReadVerdict::Whole;
  unreadInput_.reset();
  lastCommand_.clear();
  lastConsole_.clear();
  SetOutputPath(i);
  RunTrackStages();
  if (!InputFailed() && !run_.stopRequested_ && !test_ && !State().MultiOutput)
    output_ = FileServices::UniquePath(output_, false);
  if (!InputFailed() && !run_.stopRequested_) {
    if (audio_ != video_)
      RunJoiningStage();
    else
      RunConvertingStages();
  }
  if (!State().TempDir.isEmpty()) {
    FileServices::DeleteFile(TempFile("aucod", TableRow::AudioEncoding));
    FileServices::DeleteFile(TempFile("vicod", TableRow::VideoEncoding));
  }
  if (!InputFailed() && !run_.stopRequested_ && !test_) JudgeReading(i);
  if (InputFailed() && !run_.stopRequested_) RecordFailure();
  if (InputFailed() || (run_.stopRequested_ && !outputFinished_)) RemovePartialOutput();
  if (!test_ && !InputFailed() && !run_.stopRequested_) FinishInput(i);
  stage_.clear();
  emit run_.InputEnded();
}

// A path typed into the output box may be relative; it means the current
// folder, never the root nor the run's temporary working folder.
QString AbsolutePath(const QString& path) {
  return path.isEmpty() ? path : QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

void ConversionRun::Steps::SetOutputPath(int i) {
  const QString ext = "." + Cell(TableRow::Output, TableColumn::Extension);
  if (test_) {
    output_ = State().TempDir + "/test" + ext;
    if (State().MultiOutput) {
      output_ = State().TempDir + "/test";
      if (FileServices::CreateFolder(output_)) {
        createdFolder_ = output_;
        output_ += "/%03d" + ext;
      } else {
        failure_ = InputFailure::OutputFolderFailed;
      }
    }
    desired_ = output_;
    return;
  }
  const QString entry = Session::State().FileList.value(i);
  if (State().Choices.OutputMode == OutputSourceFolders)
    output_ = QFileInfo(entry).path() + "/" + QFileInfo(entry).completeBaseName();
  else if (State().Choices.OutputMode == OutputChosenFolder)
    output_ =
        AbsolutePath(Session::State().OutputFolder) + "/" + QFileInfo(entry).completeBaseName();
  else
    output_ = QFileInfo(AbsolutePath(Session::State().OutputFile)).path() + "/" +
              QFileInfo(Session::State().OutputFile).completeBaseName();
  if (State().MultiOutput) {
    output_ = FileServices::UniquePath(output_, false);
    if (FileServices::CreateFolder(output_))
      createdFolder_ = output_;
    else
      failure_ = InputFailure::OutputFolderFailed;
    output_ += "/%03d";
  }
  output_ += ext;
  desired_ = output_;
}

void ConversionRun::Steps::RunTrackStages() {
  const QString pass1 = State().Choices.TwoPass ? " " + Lang::TxtPass1() : QString();
  using namespace TableRow;
  if (StageMayRun(AudioExtraction))
    RunFfmpegStage(AudioExtraction, Lang::TxtExtractingAudio(), audio_,
                   TempFile("auext", AudioExtraction));
  if (StageMayRun(AudioEncoding))
    RunEncodingStage(AudioEncoding, Lang::TxtEncodingAudio() + pass1, audio_,
                     TempFile("aucod", AudioEncoding), TempFile("aucod", AudioEncodingPass2));
  if (!State().TempDir.isEmpty()) FileServices::DeleteFile(TempFile("auext", AudioExtraction));
  if (StageMayRun(VideoExtraction))
    RunFfmpegStage(VideoExtraction, Lang::TxtExtractingVideo(), video_,
                   TempFile("viext", VideoExtraction));
  if (StageMayRun(VideoEncoding))
    RunEncodingStage(VideoEncoding, Lang::TxtEncodingVideo() + pass1, video_,
                     TempFile("vicod", VideoEncoding), TempFile("vicod", VideoEncodingPass2));
  if (!State().TempDir.isEmpty()) FileServices::DeleteFile(TempFile("viext", VideoExtraction));
}

void ConversionRun::Steps::RunFfmpegStage(int row, const QString& caption, QStringList& source,
                                          const QString& output) {
  SetStage(caption, true);
  if (RunRow(row, source, output)) source = QStringList{output};
}

// The audio or video encoding row: an outside encoder, or ffmpeg encoding one
// track, followed by its second pass in the next row when two passes are on.
void ConversionRun::Steps::RunEncodingStage(int row, const QString& caption, QStringList& source,
                                            const QString& output,
                                            const QString& secondPassOutput) {
  if (Kind(row) == StageKind::Encoder) {
    SetStage(caption, false);
    if (RunRow(row, source, output)) source = QStringList{output};
    return;
  }
  SetStage(caption, true);
  if (!RunRow(row, source, output)) return;
  if (!State().Choices.TwoPass) {
    source = QStringList{output};
    return;
  }
  if (!StageMayRun(row + 1)) return;
  const QString baseCaption =
      row == TableRow::AudioEncoding ? Lang::TxtEncodingAudio() : Lang::TxtEncodingVideo();
  SetStage(baseCaption + " " + Lang::TxtPass2(), true);
  if (RunRow(row + 1, source, secondPassOutput)) source = QStringList{output};
}

void ConversionRun::Steps::RunJoiningStage() {
  if (Kind(TableRow::Output) != StageKind::MoveTracks) {
    SetStage(Lang::TxtMixingAudioVideo(), true);
    QStringList tracks;
    if (audio_ != audioStart_) tracks << audio_;
    if (video_ != videoStart_) tracks << video_;
    RunRow(TableRow::Output, tracks, OutputForFfmpeg());
    return;
  }
  SetStage(Lang::TxtMovingTracks(), true);
  const QString audioTrack = audio_ != audioStart_ ? audio_.value(0) : QString();
  const QString videoTrack = video_ != videoStart_ ? video_.value(0) : QString();
  moved_ = MoveTracks(audioTrack, videoTrack, desired_);
  if (moved_.isEmpty() || moved_.first().isEmpty()) failure_ = InputFailure::TracksNotMoved;
}

void ConversionRun::Steps::RunConvertingStages() {
  if (StageMayRun(TableRow::Output)) {
    SetStage(Lang::TxtConverting() + (State().Choices.TwoPass ? " " + Lang::TxtPass1() : QString()),
             true);
    RunRow(TableRow::Output, audio_, OutputForFfmpeg());
  }
  if (StageMayRun(TableRow::OutputPass2)) {
    SetStage(Lang::TxtConverting() + " " + Lang::TxtPass2(), true);
    RunRow(TableRow::OutputPass2, audio_, OutputForFfmpeg());
  }
}

// Numbered outputs are a pattern to ffmpeg, in which a '%' of the folder's
// own name must be doubled to stay a '%'.
QString ConversionRun::Steps::OutputForFfmpeg() const {
  if (!State().MultiOutput) return output_;
  const qsizetype slash = output_.lastIndexOf('/');
  return output_.left(slash).replace("%", "%%") + output_.mid(slash);
}

void ConversionRun::Steps::SetStage(const QString& caption, bool stopEnabled) {
  stage_ = caption;
  emit run_.StageStarted(caption, stopEnabled);
}

// Every ffmpeg step gets an input pipe, so that "Detener" reaches it. The
// temporary folder is the working folder: two-pass log files land there.
ToolRunner::RunResult ConversionRun::Steps::RunTool(const CommandLine::Command& command, bool pipe,
                                                    QString& capture, int& exitCode) {
  const ToolRunner::RunResult result = ToolRunner::RunCaptured(
      CommandLine::Pipeline{command}, State().TempDir, pipe, pipe,
      [this](const ConsoleText::BoxUpdate& update) {
        if (update.action == ConsoleText::BoxUpdate::Replace)
          emit run_.ConsoleLine(ConsoleText::LastLine(update.text));
      },
      ConsoleText::Display::ReplaceByVisibleChunk, capture, KeptOutput, exitCode);
  // The program closing ended the tool: the run stops as "Detener" stops it.
  // A tool of something else still running ends the run there too, as
  // stopped, for nothing failed.
  if (ToolRunner::Closing() || result == ToolRunner::RunResult::Busy) run_.stopRequested_ = true;
  return result;
}

// ffmpeg's report file is read after each step: it logs at the verbose level
// whatever the step's options ask of the console, so it tells which inputs
// the output took streams from, a write it could not finish or an input it
// could not read to its end even when it ends with 0, an output that got no
// data (a start past the end of the input) although ffmpeg ends with 0, and
// how far the step got through its inputs. A step whose report cannot be
// read has not shown that its output is whole.
bool ConversionRun::Steps::RunRow(int row, const QStringList& inputs, const QString& output) {
  StepCommand step = RowStep(State().Commands, row, inputs, output);
  const bool isEncoder = Kind(row) == StageKind::Encoder;
  if (!TakenName(output) && !created_.contains(output)) created_ << output;
  if (!isEncoder) log_->Attach(step.Command);
  int exitCode = 0;
  const ToolRunner::RunResult result = RunTool(step.Command, !isEncoder, capture_, exitCode);
  if (result == ToolRunner::RunResult::Busy) return false;
  const bool started = result == ToolRunner::RunResult::Ran;
  if (!isEncoder) capture_ = FfmpegReport::WithoutNotice(capture_);
  const std::optional<FfmpegReport::Reading> read = isEncoder ? std::nullopt : log_->Read();
  const FfmpegConsole::Report* logged = read ? &read->Report : nullptr;
  if (started)
    NoteInputsRead(step, isEncoder, inputs, logged ? logged->MappedInputs() : QList<int>());
  const QStringList& arguments = step.Command.arguments;
  const bool inputUnread = read && FfmpegReport::InputReadFailed(read->Text, arguments);
  // An input ffmpeg could not read to its end is judged, with the rest of the
  // input, by how far its sources were read, unless nothing can tell that:
  // a test, a part asked for, an output of no time.
  const bool judged = inputUnread && !test_ && !AsksPartOrPace(arguments) &&
                      FfmpegReport::OutputHoldsTime(read->Text);
  // A full disk may have cut the report: without its closing summary it shows
  // nothing whole.
  const bool writeFailed =
      !isEncoder && (!logged || !logged->Summarised() || logged->WriteFailed() ||
                     logged->InputLost() || (inputUnread && !judged));
  const bool succeeded =
      StepSucceeded(started, exitCode, isEncoder, FileServices::FileSize(output), writeFailed);
  if (succeeded && !(logged && logged->OutputEmpty())) {
    if (judged) unreadInput_ = UnreadInput{step.Shown, capture_, stage_};
    if (logged)
      reach_.Add(arguments, read->Text, logged->OutputSeconds(),
                 inputs == audioStart_ ? inputs : QStringList());
    lastCommand_ = step.Shown;
    lastConsole_ = capture_;
    if (WritesTheOutput(row)) {
      // "q" lets ffmpeg finish its output; a killed tool leaves it cut.
      if (run_.stopRequested_ && !run_.forcedStop_ && !ToolRunner::Closing())
        outputFinished_ = true;
      if (logged) outputSeconds_ = logged->OutputSeconds();
    }
    return true;
  }
  failure_ = succeeded ? InputFailure::NothingWritten
             : started ? InputFailure::StepFailed
                       : InputFailure::ToolNotStarted;
  failedCommand_ = step.Shown;
  return false;
}

// The last step of an input: the one whose output is the input's output.
bool ConversionRun::Steps::WritesTheOutput(int row) const {
  return row == TableRow::OutputPass2 ||
         (row == TableRow::Output && !HeadSet(TableRow::OutputPass2));
}

// A step that reads the input's own files (not a track made from them) names
// the ones its output used; an outside encoder reads the first.
void ConversionRun::Steps::NoteInputsRead(const StepCommand& step, bool isEncoder,
                                          const QStringList& inputs,
                                          const QList<int>& mappedInputs) {
  if (inputs != audioStart_) return;
  if (!isEncoder && mappedInputs.isEmpty()) readUnconfirmed_ = true;
  const QList<int> read =
      isEncoder ? QList<int>{0} : FilesAtInputs(step.Command.arguments, inputs, mappedInputs);
  for (int place : read)
    if (!inputsRead_.contains(place)) inputsRead_ << place;
}

void ConversionRun::Steps::RecordFailure() {
  FailedStep failed;
  failed.File = file_;
  failed.Stage = failure_ == InputFailure::OutputFolderFailed ? QString() : stage_;
  switch (failure_) {
    case InputFailure::ToolNotStarted:
      failed.Description = Lang::TxtProcessStartFailed();
      break;
    case InputFailure::StepFailed:
      failed.Description = Lang::TxtConvertError();
      break;
    case InputFailure::NothingWritten:
      failed.Description = Lang::TxtNothingWritten();
      break;
    case InputFailure::OutputFolderFailed:
      failed.Description = Lang::TxtCannotCreateOutputDir() + ":" + output_;
      break;
    case InputFailure::TracksNotMoved:
    case InputFailure::None:
      failed.Description = Lang::TxtCannotMoveFiles();
      break;
  }
  const bool stepRan =
      failure_ == InputFailure::StepFailed || failure_ == InputFailure::NothingWritten;
  if (stepRan || failure_ == InputFailure::ToolNotStarted) failed.Command = failedCommand_;
  if (stepRan) failed.Console = capture_;
  AddError(failed);
}

void ConversionRun::Steps::AddError(const FailedStep& error) {
  State().Errors.append(error);
  ++failures_;
  emit run_.Failed(error, failures_);
}

// A failed or stopped input leaves nothing that looks like a result: what its
// steps wrote goes, and only that.
void ConversionRun::Steps::RemovePartialOutput() {
  for (const QString& file : created_) {
    const QFileInfo info(file);
    if (info.isFile() || info.isSymLink()) QFile::remove(file);
  }
  if (!createdFolder_.isEmpty()) FileServices::DeleteFolder(createdFolder_);
}

// What the input produced, before anything of its sources may go.
bool ConversionRun::Steps::OutputWritten() const {
  if (!moved_.isEmpty()) {
    for (const QString& track : moved_)
      if (FileServices::FileSize(track) == 0) return false;
    return true;
  }
  if (State().MultiOutput) return FileServices::FolderSize(QFileInfo(output_).path()) > 0;
  return FileServices::FileSize(output_) > 0;
}

// The list entries the input's output was made from. Joined files all go into
// it; of several files given to one command, ffmpeg may read only some.
QStringList ConversionRun::Steps::SourcesOfOutput(int i) const {
  const QStringList& list = Session::State().FileList;
  if (State().Choices.OutputMode == OutputJoined) return list;
  if (State().Choices.OutputMode != OutputOneFile) return {list.value(i)};
  QStringList read;
  for (int place = 0; place < list.size(); ++place)
    if (inputsRead_.contains(place)) read << list[place];
  return read;
}

// A source went whole into the output when ffmpeg got to its end: what the
// steps themselves got through for a file converted alone, a reading of each
// file alone where several make one output (the steps' time tells of their
// sum, and the concat demuxer counts a cut file at the length its container
// claims). A source read short is listed with what was read; the output
// stays, as ffmpeg wrote it.
void ConversionRun::Steps::JudgeReading(int i) {
  // The output is as ffmpeg finished it: a stop from here on ends only the reading.
  outputFinished_ = true;
  const QStringList sources = SourcesOfOutput(i);
  bool readShort = false;
  if (!reach_.StandsAside() && !sources.isEmpty()) {
    const QList<SourceReading> readings = ReadSources(sources);
    if (run_.stopRequested_) return;
    for (int k = 0; k < sources.size(); ++k) {
      verdicts_.insert(sources[k], Judge(readings[k]));
      readShort = readShort || verdicts_.value(sources[k]) == ReadVerdict::Partly;
    }
    if (!unreadInput_ || readShort) {
      for (int k = 0; k < sources.size(); ++k)
        if (verdicts_.value(sources[k]) == ReadVerdict::Partly)
          ReportPartlyRead(sources[k], *readings[k].Read, *readings[k].Length);
      if (State().Choices.OutputMode == OutputJoined) JudgeJoin(readings);
    }
  }
  // A cut source is why ffmpeg could not read on; without one the step failed.
  if (unreadInput_ && !readShort) {
    failure_ = InputFailure::StepFailed;
    failedCommand_ = unreadInput_->Command;
    capture_ = unreadInput_->Console;
    stage_ = unreadInput_->Stage;
  }
}

// One file made the output: the steps tell how far they got through it.
// Several: each is read alone.
QList<SourceReading> ConversionRun::Steps::ReadSources(const QStringList& sources) {
  if (State().Choices.OutputMode != OutputJoined && sources.size() == 1)
    return {reach_.Source(State().Choices.OutputMode == OutputOneFile ? inputsRead_.first() : 0)};
  QList<SourceReading> readings;
  for (const QString& source : sources) {
    if (run_.stopRequested_) break;
    readings << ReadAlone(source);
  }
  return readings;
}

// ffmpeg reads the file alone, copying it to nothing, as far as it can.
SourceReading ConversionRun::Steps::ReadAlone(const QString& file) {
  CommandLine::Command command = ReadAloneCommand(FfmpegTools::State().FfmpegPath, file);
  log_->Attach(command);
  QString console;
  int exitCode = 0;
  const ToolRunner::RunResult result = RunTool(command, true, console, exitCode);
  const std::optional<FfmpegReport::Reading> read = log_->Read();
  if (result != ToolRunner::RunResult::Ran || !read) return {};
  const SourceReading reading = ReadingOf(read->Text, read->Report.OutputSeconds(), 0);
  // Subtitles alone are no stream the null muxer takes: ffmpeg refuses them.
  if (!reading.Timed) return reading;
  if (exitCode != 0 || !read->Report.Summarised()) return {};
  return reading;
}

// The joined output must hold what its files hold, as far as ffmpeg reads
// each alone: one that holds less lost a file or part of one on the way, and
// no source goes.
void ConversionRun::Steps::JudgeJoin(const QList<SourceReading>& readings) {
  SourceReading joined{reach_.Reached(), 0.0, 0};
  for (const SourceReading& reading : readings) {
    if (!reading.Timed) continue;
    if (!reading.Read || !reading.Length) {
      joinVerdict_ = ReadVerdict::Unknown;
      return;
    }
    *joined.Length += *reading.Read;
    joined.Tolerance += reading.Tolerance;
  }
  joinVerdict_ = Judge(joined);
  if (joinVerdict_ == ReadVerdict::Partly) ReportPartlyRead(file_, *joined.Read, *joined.Length);
}

void ConversionRun::Steps::ReportPartlyRead(const QString& file, double read, double length) {
  FailedStep partly;
  partly.File = file;
  partly.Stage = stage_;
  partly.Description = Lang::TxtPartlyRead(read, length);
  partly.Command = lastCommand_;
  partly.Console = lastConsole_;
  AddError(partly);
}

// A source that no reading judged is as the steps left it: whole.
ReadVerdict ConversionRun::Steps::VerdictOf(const QString& source) const {
  const ReadVerdict own = verdicts_.value(source, ReadVerdict::Whole);
  return own == ReadVerdict::Whole ? joinVerdict_ : own;
}

// Read short, when one source was; else unknown, when one was.
ReadVerdict ConversionRun::Steps::LeastVerdict(const QStringList& sources) const {
  ReadVerdict least = ReadVerdict::Whole;
  for (const QString& source : sources) {
    const ReadVerdict verdict = VerdictOf(source);
    if (verdict == ReadVerdict::Partly) return verdict;
    if (verdict == ReadVerdict::Unknown) least = verdict;
  }
  return least;
}

void ConversionRun::Steps::FinishInput(int i) {
  const QStringList read = SourcesOfOutput(i);
  if (State().Choices.DeleteOriginals) {
    QStringList whole;
    for (const QString& source : read) {
      const ReadVerdict verdict = VerdictOf(source);
      if (verdict == ReadVerdict::Whole)
        whole << source;
      else if (verdict == ReadVerdict::Unknown && FileServices::FileExists(source))
        ReportKept(source, Lang::TxtDeleteOriginals(), Lang::TxtKeptReadUnknown());
    }
    for (const QString& kept : TrashSources(whole, OutputWritten()))
      ReportKept(kept, Lang::TxtDeleteOriginals(), Lang::TxtCannotDeleteFile(kept));
    ReportUnreadSources(read);
  }
  ReplaceOlderFile(i, read);
}

// When ffmpeg did not tell which files one output read, the files it may
// have read stay, and are listed. read: the files it is known to have read.
void ConversionRun::Steps::ReportUnreadSources(const QStringList& read) {
  if (State().Choices.OutputMode != OutputOneFile || !readUnconfirmed_) return;
  for (const QString& file : Session::State().FileList)
    if (!read.contains(file) && FileServices::FileExists(file))
      ReportKept(file, Lang::TxtDeleteOriginals(), Lang::TxtCannotDeleteFile(file));
}

// Only a file that was there before the run gives way: an earlier output of
// the same run that took the name keeps it, and this one its numbered name.
// It gives way only to an output that holds all of its sources. read: the
// sources of the output.
void ConversionRun::Steps::ReplaceOlderFile(int i, const QStringList& read) {
  Replacement done = Replacement::NotNeeded;
  if (State().Choices.ReplaceFiles && Kind(TableRow::Output) != StageKind::MoveTracks) {
    // Inputs other than the ones just converted stay untouched, whatever their name.
    QStringList kept = Session::State().FileList;
    if (JoinedOutput())
      kept.clear();
    else
      kept.removeAt(i);
    // An output read short keeps its numbered name, which its entry names;
    // of one not known to be whole the older file is listed as kept.
    const ReadVerdict verdict = LeastVerdict(read);
    if (verdict == ReadVerdict::Whole)
      done = ReplaceExisting(output_, desired_, kept + runOutputs_);
    else if (verdict == ReadVerdict::Unknown &&
             OlderFileInTheWay(output_, desired_, kept + runOutputs_))
      ReportKept(desired_, Lang::TxtReplaceFiles(), Lang::TxtKeptNewFileUnknown());
    if (done == Replacement::OldFileKept)
      ReportKept(desired_, Lang::TxtReplaceFiles(), Lang::TxtCannotDeleteFile(desired_));
    if (done == Replacement::RenameFailed)
      ReportKept(output_, Lang::TxtReplaceFiles(), Lang::TxtCannotRenameFile(output_));
  }
  runOutputs_ << (done == Replacement::Replaced ? desired_ : output_);
}

// A file the finishing options could not move is listed with the failures:
// the file, the option, and what could not be done.
void ConversionRun::Steps::ReportKept(const QString& file, const QString& option,
                                      const QString& description) {
  FailedStep kept;
  kept.File = file;
  kept.Stage = option;
  kept.Description = description;
  AddError(kept);
}

void ConversionRun::Steps::End() {
  log_.reset();
  const bool stopped = run_.stopRequested_;
  State().Running = false;
  run_.stopRequested_ = false;
  emit run_.Ended(stopped);
  if (test_ && !stopped && failures_ == 0) emit run_.TestFinished(TestReport());
  emit run_.Finished(State().Errors);
}

TestResult ConversionRun::Steps::TestReport() const {
  if (State().MultiOutput) {
    const QString folder = QFileInfo(output_).path();
    return {TestReportText(FileServices::FolderSize(folder), 0, Lang::TxtViewFilesQuestion()),
            folder,
            {}};
  }
  if (Kind(TableRow::Output) == StageKind::MoveTracks) {
    qint64 bytes = 0;
    for (const QString& track : moved_) bytes += FileServices::FileSize(track);
    return {TestReportText(bytes, 0, Lang::TxtPlayFileQuestion()),
            QString(),
            {moved_.value(0), moved_.value(1)}};
  }
  // The rate is of what the test wrote: a file shorter than the time asked
  // for gives fewer seconds.
  const double seconds = outputSeconds_.value_or(FfmpegValues::TimeToSeconds(testTime_).toDouble());
  return {TestReportText(FileServices::FileSize(output_), seconds, Lang::TxtPlayFileQuestion()),
          QString(),
          {output_}};
}

ConversionRun::ConversionRun(const QString& testTime, QList<QStringList> inputs, QStringList shown,
                             QObject* parent)
    : QObject(parent), steps_(new Steps(*this, testTime, std::move(inputs), std::move(shown))) {}

ConversionRun::~ConversionRun() { delete steps_; }

void ConversionRun::Execute() { steps_->Execute(); }

// The stop flag is set first, so that the run reads the step that "q" ends as stopped.
void ConversionRun::Stop() {
  stopRequested_ = true;
  ToolRunner::SendInput("q", ToolRunner::InputEnd::LineEnd);
}

void ConversionRun::ForceStop() {
  stopRequested_ = true;
  forcedStop_ = true;
  ToolRunner::RequestStop();
}

}  // namespace Conversion
