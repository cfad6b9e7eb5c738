#pragma once

// Makes the graph pages' storable classes known by name, so that page
// files and clipboard data create their objects.
void RegisterGraphDocClasses();
