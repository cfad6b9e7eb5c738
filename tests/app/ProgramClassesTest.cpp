// Every class that files of the program may name is registered with its
// schema and comes back from an archive by its name alone.

#include "app/shell/ProgramClasses.h"
#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "framework/core/Object.h"

#include <gtest/gtest.h>

#include <string_view>

#include <memory>
#include <set>
#include <string>

namespace {

TEST(ProgramClasses, ListNamesEachClassOnce)
{
    std::set<std::string> names;
    for (const ProgramClassInfo& info : ProgramClassList())
        EXPECT_TRUE(names.insert(info.name).second) << info.name;
    EXPECT_EQ(SchemaWord(ClassSchema::versionable1), 0x80000001u);
}

TEST(ProgramClasses, RegisteredClassesCarryTheirSchemaAndRoundTripByName)
{
    RegisterProgramClasses();
    std::string missing;
    for (const ProgramClassInfo& info : ProgramClassList()) {
        SCOPED_TRACE(info.name);
        const fw::CRuntimeClass* cls = fw::CRuntimeClass::FromName(info.name);
        if (!cls) {
            missing += std::string(" ") + info.name;
            continue;
        }
        // Files hold the low word; whether a class also takes other stored
        // schemas (the versionable flag) is its own subsystem's call.
        EXPECT_EQ(cls->schema & 0xFFFFu, SchemaWord(info.schema) & 0xFFFFu);
        ASSERT_NE(cls->create, nullptr);
        // A box is a file object only with its control unit; its round trip
        // is shown inside the measuring system's own archive tests.
        if (std::string_view(info.name) == "CBoxPropaty")
            continue;
        std::unique_ptr<fw::CObject> object(cls->CreateObject());
        try {
            fw::CMemFile file;
            {
                fw::CArchive ar(&file, fw::CArchive::store);
                ar.WriteObject(object.get());
                ar.Close();
            }
            file.SeekToBegin();
            fw::CArchive ar(&file, fw::CArchive::load);
            std::unique_ptr<fw::CObject> back(ar.ReadObject(nullptr));
            ASSERT_NE(back, nullptr);
            EXPECT_EQ(back->GetRuntimeClass(), cls);
        } catch (const std::exception& e) {
            ADD_FAILURE() << info.name << " does not load what it stored: " << e.what();
        }
    }
    if (!missing.empty())
        GTEST_SKIP() << "classes of subsystems not built yet:" << missing;
}

} // namespace
