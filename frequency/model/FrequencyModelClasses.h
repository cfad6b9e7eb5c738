#pragma once

// Makes the run-time classes of the frequency model known by name.
void RegisterFrequencyModelClasses();
