#pragma once

// Start-up hooks of the cache tanks.

#include "framework/core/CString.h"

// Makes the storable cache tank classes known by name. Calling it again is
// harmless.
void RegisterCacheClasses();

// Sets the folder of the temporary files of every cache tank type.
void SetCacheTankFolder(const fw::CString& folder);

// Deletes the cache files ("~WW*.tmp") left in `folder` by a program that
// ended without cleaning up; answers how many went. Tanks delete only their
// own files, and these files carry no lock: call this only while holding the
// data folder's single-instance lock, or it would delete the files of a
// running instance.
int DeleteLeftoverCacheFiles(const fw::CString& folder);
