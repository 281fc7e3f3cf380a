#pragma once

#include <QString>

// What a module's refusal of an LNCV write means, in the user's words; empty
// for a code that is no refusal.
QString lncvWriteRefusal(int code);
