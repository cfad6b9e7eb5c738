#pragma once

// Makes the storable classes of series and pages known by name (the page,
// its series and their item arrays).
void RegisterSeriesClasses();
