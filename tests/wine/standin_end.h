#pragma once

// Ends the spreadsheet stand-in that a run of the assistant left shown.

namespace linktest {

// Hides the running stand-in, so that it ends, and waits for it; false when
// it did not end in time and was stopped. True when none runs.
bool EndStandin();

}  // namespace linktest
