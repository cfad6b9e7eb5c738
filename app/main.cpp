// The program: its application object runs the whole start-up, the event
// loop and the shut-down.
//
//   kiv5400 [FILE...] [--no-start-page]

#include "app/shell/KIV5980App.h"
#include "app/shell/ProgramComposition.h"
#include "framework/core/DescriptorLimit.h"

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    // Every cache tank, link and document holds descriptors; the default
    // soft limit is far below what a large project needs.
    fw::RaiseDescriptorLimit();
    ComposeProgram();
    CKIV5980App app;
    app.SetCommandLine(std::vector<std::string>(argv, argv + argc));
    return app.Run(argc, argv);
}
