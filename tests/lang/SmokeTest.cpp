#include "lang/Lang.h"

#include "TestEnv.h"

class LangSmoke : public TestEnv {};

TEST_F(LangSmoke, SpanishBuiltIn) {
  EXPECT_EQ(Lang::BuiltInTable(101).size(), 537);
  EXPECT_EQ(Lang::TxtErrors(), "Errores: ");
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  Lang::MsgCannotReadFile("a b");
  EXPECT_EQ(dialogs.Messages(), QStringList{"No se pudo leer el archivo a b"});
}
