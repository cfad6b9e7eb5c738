#pragma once

// Makes the storable classes of list graphs known by name: the lists and
// their row drawers.
void RegisterListGraphClasses();
