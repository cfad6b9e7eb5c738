#pragma once

// Makes the run-time classes of the instrument link and its records known
// by name (the application creates its link by class name).
void RegisterLinkClasses();
