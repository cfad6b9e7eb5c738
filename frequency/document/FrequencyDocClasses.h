#pragma once

// Makes the run-time classes of the frequency documents known by name.
void RegisterFrequencyDocClasses();
