#pragma once
// The main window's side of the label-text query that the end-to-end tests
// use (protocol in textqueryprotocol.h): off unless the test driver has put
// its key into the environment, and answered only to the key.

#include "framework/messages.h"

namespace tarnivo {

class TForm;

// True when `message` was a text query (and has been answered or refused).
bool AnswerTextQuery(TForm& form, TMessage& message);

} // namespace tarnivo
