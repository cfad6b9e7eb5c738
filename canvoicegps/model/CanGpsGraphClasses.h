#pragma once

// The GPS track drawer and the CAN time list graph are made by class name
// (the latter when a document's archive names it).
void RegisterCanGpsGraphClasses();
