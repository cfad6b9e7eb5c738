#pragma once

// Makes the storable classes of graphs known by name: the settings and
// drawers, the page, its series and their item arrays.
void RegisterGraphClasses();
