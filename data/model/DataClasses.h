#pragma once

// Makes the storable classes of the measurement-data documents known by
// name, so that archives can create them. Calling it again is harmless.
void RegisterDataClasses();
