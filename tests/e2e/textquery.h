#pragma once
// Asks a window of ours for the text of one of its components, through the
// query of launcher/textqueryprotocol.h, with the key of this process's
// environment (TARNIVO_TEXT_QUERY_KEY, which the test driver sets for the
// launcher and for its helpers alike).

#include "launcher/textqueryprotocol.h"

#include <windows.h>

#include <string>

namespace tarnivo {

enum class TextQueryResult {
    Answered,      // `text` holds the component's text
    NoComponent,   // the window answered 2: it has no component of that name
    NotSupported,  // no answer: the window does not know the query, refused it or hangs
    NoKey,         // this process has no key: nothing was asked
};

TextQueryResult QueryComponentText(HWND form, const std::string& name, std::string& text);

} // namespace tarnivo
