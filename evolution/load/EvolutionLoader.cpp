#include "EvolutionLoader.h"

#include "EvolutionEditor.h"
#include "EvolutionTable.h"
#include "HexFunctions.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace {

// The species whose load leaves the level list as it was.
constexpr std::array LevelListSkipSpecies = {95,  108, 114, 117, 123, 137, 176, 190, 193, 198,
                                             200, 221, 315, 349, 366, 438, 439, 440, 458};

bool skipsLevelList(int k)
{
    return std::find(LevelListSkipSpecies.begin(), LevelListSkipSpecies.end(), k) != LevelListSkipSpecies.end();
}

struct LoadStep
{
    EditorList list;
    std::int32_t field;
    std::int32_t count;
};

// Combo1 comes first, so that the parameter-list rule has run before the parameter lists are set.
constexpr std::array<LoadStep, 6> LoadSteps = {{
    {EditorList::Combo1, EvolutionTable::MethodField, 1},
    {EditorList::Combo2, EvolutionTable::ParameterField, 1},
    {EditorList::Combo3, EvolutionTable::ParameterField, 2},
    {EditorList::Combo4, EvolutionTable::ParameterField, 2},
    {EditorList::Combo5, EvolutionTable::ParameterField, 2},
    {EditorList::Combo6, EvolutionTable::TargetField, 2},
}};

} // namespace

std::vector<UnshownValue> EvolutionLoader::List1_Click()
{
    m_unshown.clear();
    a_a();
    a_b();
    a_c();
    runCases(1, 130);

    // A parameter list the method hides routinely holds values meant for another list.
    std::vector<UnshownValue> report;
    for (const UnshownValue &value : m_unshown) {
        const bool parameter = std::find(ParameterLists.begin(), ParameterLists.end(), value.list) != ParameterLists.end();
        if (!parameter || m_editor.Visible(value.list))
            report.push_back(value);
    }
    return report;
}

void EvolutionLoader::a_a()
{
    runCases(131, 260);
}

void EvolutionLoader::a_b()
{
    runCases(261, 390);
}

void EvolutionLoader::a_c()
{
    runCases(391, 493);
}

void EvolutionLoader::runCases(int first, int last)
{
    for (int k = first; k <= last; ++k) {
        if (m_editor.ListIndex(EditorList::List1) == k)
            loadCase(k);
    }
}

void EvolutionLoader::loadCase(int k)
{
    HexFunctions &hex = m_editor.byteAccess();
    for (const LoadStep &step : LoadSteps) {
        if (step.list == EditorList::Combo2 && skipsLevelList(k))
            continue;

        std::int32_t offset = EvolutionTable::R(k) + step.field;
        const std::int32_t count = step.count;
        std::string text = hex.ReadHex(m_editor.romPath(), offset, count);
        const std::string numeral = HexFunctions::SwapBytes(text);
        if (numeral.empty())
            return;

        std::uint32_t stored = 0;
        std::from_chars(numeral.data(), numeral.data() + numeral.size(), stored, 16);
        // Two bytes are a 16-bit two's-complement number, so FFFF is -1: nothing selected.
        const int value = step.count == 2 ? static_cast<std::int16_t>(stored) : static_cast<int>(stored);
        if (value >= -1 && value < m_editor.ListCount(step.list)) {
            m_editor.SetListIndex(step.list, static_cast<std::int16_t>(value));
        } else {
            m_editor.SetListIndex(step.list, -1);
            m_unshown.push_back({step.list, stored, step.count});
        }
    }
}
