#pragma once

// Makes the storable classes of the calculated channels known by name.
// Calling it again is harmless.
void RegisterCalcClasses();
