#pragma once

// Makes the run-time classes of the common base library known by name.
void RegisterCommonBaseClasses();
