#pragma once

#include <cstdint>

// The one place that knows where the evolution table lies in the image and how an entry is laid out.
namespace EvolutionTable {

constexpr std::int32_t EvolutionTableOffset = 0x28D7440;
constexpr std::int32_t EvolutionRecordSize = 44;
constexpr int SpeciesCount = 493;

// A field of the entry: its offset inside the record and its width in bytes, little-endian.
struct Field
{
    std::int32_t offset;
    std::int32_t width;
};

// The byte at +1 and the bytes from +6 on are never touched.
constexpr Field Method{0, 1};
constexpr Field Parameter{2, 2};
constexpr Field Target{4, 2};
// The level list's own read: the parameter's low byte.
constexpr Field ParameterLowByte{Parameter.offset, 1};

// 0-based file offset of the record of species k (1 to 493); species 0 has no record.
constexpr std::int32_t R(int k)
{
    return EvolutionTableOffset + EvolutionRecordSize * (k - 1);
}

static_assert(R(1) == 42824768);
static_assert(R(493) == 0x28DC8D0);

} // namespace EvolutionTable
