#pragma once

// Makes the storable classes of the unit check table and the program-table
// columns known by name. Calling it again is harmless.
void RegisterCheckClasses();
