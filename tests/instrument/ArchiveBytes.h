#pragma once

#include "framework/core/Archive.h"
#include "framework/core/File.h"

#include <cstdint>
#include <vector>

namespace kivtest {

// The bytes `store` writes into a storing archive.
template <class F> std::vector<uint8_t> StoredBytes(F&& store)
{
    fw::CMemFile file;
    {
        fw::CArchive ar(&file, fw::CArchive::store);
        store(ar);
        ar.Close();
    }
    const auto data = file.Data();
    return {data.begin(), data.end()};
}

// Runs `load` on a loading archive over `bytes`; returns the bytes it left.
template <class F> uint64_t LoadBytes(const std::vector<uint8_t>& bytes, F&& load)
{
    fw::CMemFile file(bytes);
    fw::CArchive ar(&file, fw::CArchive::load);
    load(ar);
    return ar.BytesLeft();
}

} // namespace kivtest
