#pragma once

// Registers the spectrum, legend, regression and monitor objects of the
// graph pages, so that pages load them by class name.
void RegisterGraphObjectClasses();
