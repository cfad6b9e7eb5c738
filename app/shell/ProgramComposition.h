#pragma once

// The one place where the program is put together: the program's texts,
// every serialisable class, the menus, and the implementations of the
// interfaces through which lower layers reach higher ones. Runs before the
// application object is made (its title is a program text) and again at
// start-up; running it twice changes nothing.
void ComposeProgram();
