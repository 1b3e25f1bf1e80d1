#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <ostream>

#include "TestEnv.h"
#include "core/lang/Lang.h"
#include "gui/app/MainWindow.h"

// Every language test starts and ends with Spanish in force and no language chosen.
class LangTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    Reset();
  }
  void TearDown() override {
    Reset();
    TestEnv::TearDown();
  }
  static void Reset() {
    Lang::State().Msg.clear();
    Lang::State().LanguageName.clear();
    Lang::LoadQtTranslation(QString());
  }
  // Writes appfiles/lang/<name>.qlg with exactly these bytes.
  QString WriteLanguage(const QString& name, const QByteArray& bytes) const {
    return WriteFile("appfiles/lang/" + name + ".qlg", bytes);
  }
  // A table whose line n reads "L<n>", stored as the language-file maker stores it.
  static QByteArray SyntheticTable(int lines) {
    QStringList texts;
    for (int n = 1; n <= lines; ++n) texts << QString("L%1").arg(n);
    return texts.join("\r\n").toUtf8();
  }
};

// A language test with the main window made, as the windows that follow its
// language have it for their owner.
class MainWindowLangTest : public LangTest {
 protected:
  void SetUp() override {
    LangTest::SetUp();
    main_ = std::make_unique<MainWindow>();
  }
  void TearDown() override {
    main_.reset();
    LangTest::TearDown();
  }

  std::unique_ptr<MainWindow> main_;
};
