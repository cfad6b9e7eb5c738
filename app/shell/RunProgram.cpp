#include "app/shell/RunProgram.h"

#include "app/shell/KIV5980App.h"
#include "app/shell/ProgramComposition.h"
#include "framework/core/DescriptorLimit.h"

#include <string>
#include <vector>

int RunProgram(int argc, char** argv)
{
    // Every cache tank, link and document holds descriptors; the default
    // soft limit is far below what a large project needs.
    fw::RaiseDescriptorLimit();
    ComposeProgram();
    CKIV5980App app;
    app.SetCommandLine(std::vector<std::string>(argv, argv + argc));
    return app.Run(argc, argv);
}
