#pragma once

// Makes every storable tank class of this folder known by name, so that
// archives can create them. Calling it again is harmless.
void RegisterTankClasses();
