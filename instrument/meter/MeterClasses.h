#pragma once

// Makes the control-unit class known by name, as project files store it.
void RegisterMeterClasses();
