#pragma once

// Makes every unit class known by name, as project files store them.
void RegisterUnitClasses();
