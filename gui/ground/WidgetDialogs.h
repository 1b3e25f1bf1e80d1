#pragma once

#include "core/ground/Dialogs.h"

// The real dialogs: Qt's message, input, file, folder and colour dialogs, and
// the desktop's program for a document or web address.
class WidgetDialogs : public Dialogs::Responder {
 public:
  Dialogs::Answer Respond(const Dialogs::Request& request) override;
};
