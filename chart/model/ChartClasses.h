#pragma once

// Makes the charting engine's storable classes known by name.
void RegisterChartClasses();
