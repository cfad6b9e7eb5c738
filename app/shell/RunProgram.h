#pragma once

// The whole program from its command line: composition, start-up, the
// event loop and the shut-down. main() is nothing else; the road tests run
// the very same function inside their own process.

int RunProgram(int argc, char** argv);
