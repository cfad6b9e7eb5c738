// The program: its application object runs the whole start-up, the event
// loop and the shut-down.
//
//   kiv5400 [FILE...] [--no-start-page]

#include "app/shell/KIV5980App.h"
#include "app/shell/ProgramComposition.h"

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    ComposeProgram();
    CKIV5980App app;
    app.SetCommandLine(std::vector<std::string>(argv, argv + argc));
    return app.Run(argc, argv);
}
