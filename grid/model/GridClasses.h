#pragma once

// Makes the grid's storable classes known by name to archives.
void RegisterGridClasses();
