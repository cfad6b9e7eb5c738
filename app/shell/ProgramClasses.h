#pragma once

// The serialisable classes of the program. Archives create objects again
// from the class names stored in files, so every class a file may name is
// registered before the first file is read: at start-up and in test mains,
// by one call that runs each subsystem's own registration.

#include <cstdint>
#include <vector>

// The schema a class writes into archives.
enum class ClassSchema : uint8_t {
    versionable1,  // VERSIONABLE_SCHEMA | 1: reads every older form itself
    plain0,        // exactly 0
    plain1,        // exactly 1, not versionable
};

struct ProgramClassInfo {
    const char* name;
    ClassSchema schema;
};

// Every class files of the program may name, in the program's
// registration order.
const std::vector<ProgramClassInfo>& ProgramClassList();

// The schema word a class of that kind carries.
uint32_t SchemaWord(ClassSchema schema);

// Registers the classes of every subsystem linked into the program.
void RegisterProgramClasses();
