#pragma once

#include <cstdint>

// The one place that knows where the evolution table lies in the image and how an entry is laid out.
namespace EvolutionTable {

constexpr std::int32_t EvolutionTableOffset = 0x28D7440;
constexpr std::int32_t EvolutionRecordSize = 44;
constexpr int FirstSpecies = 1;
constexpr int LastSpecies = 493;

// Offsets inside a record; the byte at +1 and the bytes from +6 on are never touched.
constexpr std::int32_t MethodField = 0;    // 1 byte
constexpr std::int32_t ParameterField = 2; // 2 bytes, little-endian
constexpr std::int32_t TargetField = 4;    // 2 bytes, little-endian
constexpr std::int32_t EntrySize = 6;

// 0-based file offset of the record of species k (1 to 493); species 0 has no record.
constexpr std::int32_t R(int k)
{
    return EvolutionTableOffset + EvolutionRecordSize * (k - 1);
}

static_assert(R(1) == 42824768);
static_assert(R(493) == 0x28DC8D0);

} // namespace EvolutionTable
