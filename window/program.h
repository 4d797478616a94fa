// The program's run from start to end, as main does it and as a test can do it with a real
// event loop.
#pragma once

namespace kz {

class Form1;

// Runs the start-up search, shows the form unless that already ended the program, and runs the
// event loop until the user quits. Returns the event loop's exit code, 0 after a quit.
int runProgram(Form1 &form);

} // namespace kz
