#pragma once

// Makes the storable classes of graph pages known by name, so that page
// files and clipboard data can create their drawing objects.
void RegisterGraphPageClasses();
