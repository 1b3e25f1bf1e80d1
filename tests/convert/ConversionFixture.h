#pragma once

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <utility>

#include "InstalledTools.h"
#include "TestEnv.h"
#include "core/convert/ConversionRun.h"
#include "core/convert/ConversionState.h"
#include "core/frame/Session.h"
#include "core/ground/ExtCodecDef.h"
#include "gui/app/MainWindow.h"
#include "gui/convert/ProgressWindow.h"

// The conversion's choices, command table and the session's paths and file
// list as a fresh start leaves them, but for the given choices.
inline void ResetConversion(const Conversion::ConversionChoices& choices = {}) {
  Conversion::State().Choices = choices;
  Conversion::ClearCommands();
  Conversion::State().MultiOutput = false;
  Session::State().OutputFile.clear();
  Session::State().OutputFolder.clear();
  Session::State().FormatProfilePath.clear();
  Session::State().EditProfilePath.clear();
  Session::State().FileList.clear();
}

// Whole conversions with the installed tools, started from a shown main
// window in a temporary program folder; each test starts from these choices.
class ConversionFixture : public TestEnv {
 protected:
  explicit ConversionFixture(Conversion::ConversionChoices choices)
      : choices_(std::move(choices)) {}

  void SetUp() override {
    TestEnv::SetUp();
    UseInstalledTools();
    ResetConversion(choices_);
    main_ = new MainWindow;
    main_->show();
  }
  void TearDown() override {
    CloseProgress();
    Session::State().FileList.clear();
    delete main_;
    TestEnv::TearDown();
  }

  QString Path(const QString& relative) const { return Folder() + "/" + relative; }
  // A file ffmpeg makes from these arguments, at the path below the program folder.
  QString Make(const QString& relative, const QStringList& arguments) const {
    const QString path = Path(relative);
    QDir().mkpath(QFileInfo(path).path());
    EXPECT_EQ(QProcess::execute("ffmpeg", QStringList{"-v", "error", "-y"} << arguments << path), 0)
        << path.toStdString();
    return path;
  }
  // A stand-in for an outside encoder: a script with the behaviour under
  // test; it receives the input, "-o" and the output.
  ExtCodecDef Encoder(const QString& body, const QString& outputExt = "wav") {
    const QString script = WriteFile("tools/enc", ("#!/bin/sh\n" + body + "\n").toUtf8());
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ExtCodecDef codec;
    codec.ExePath = script;
    codec.Params = {0,
                    {{"<InFile>", ParamKind::Required, "", "", "", false, ""},
                     {"<OutFile>", ParamKind::Required, "-o", "", "", false, ""}}};
    codec.FfmpegParams = "-f wav";
    codec.FfmpegExt = "wav";
    codec.OutputExt = outputExt;
    codec.Values = {1, QList<QString>(6)};
    return codec;
  }
  // The input list, as the main window shows it.
  void List(const QStringList& files) {
    Session::State().FileList = files;
    main_->fileList->clear();
    main_->fileList->addItems(files);
  }
  // ffprobe's word on one entry of a file, as text.
  static QString Probe(const QString& path, const QString& entry) {
    QProcess probe;
    probe.start("ffprobe", {"-v", "error", "-show_entries", entry, "-of", "csv=p=0", path});
    probe.waitForFinished();
    return QString::fromUtf8(probe.readAll()).trimmed();
  }
  static double Duration(const QString& path) { return Probe(path, "format=duration").toDouble(); }
  // What the desktop trash holds, files and folders.
  QStringList Trashed() const {
    return QDir(TrashFiles()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
  }
  static ProgressWindow* Progress() { return ProgressWindow::Instance(); }
  // Closes the progress window a run left open, as its close button does.
  void CloseProgress() {
    if (ProgressWindow* form = Progress()) {
      form->errorPanel->hide();
      form->Done();
      QApplication::processEvents();
    }
  }

  MainWindow* main_ = nullptr;

 private:
  Conversion::ConversionChoices choices_;
};
