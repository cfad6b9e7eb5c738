#pragma once

// Makes the measuring system's storable classes known by name, for the
// project file reader. Called at start-up and by the test programs.
void RegisterSystemClasses();
