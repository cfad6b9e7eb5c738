// The program: its application object runs the whole start-up, the event
// loop and the shut-down.
//
//   kiv5400 [FILE...] [--no-start-page]

#include "app/shell/RunProgram.h"

int main(int argc, char** argv)
{
    return RunProgram(argc, argv);
}
